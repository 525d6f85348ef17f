#!/usr/bin/python3
"""A Modbus serial slave for the tests of the test poll, on a port the test gives.

    modbus_slave.py PORT rtu|ascii

Slaves 1 and 2 answer; any other id stays silent. Each slave has 100 points of every kind,
from address 0:
  holding register a: 1000 * slave + a      input register a: 1000 * slave + 500 + a
  coil a: 1 when a % 3 == 0                 input status a: 1 when a % 2 == 1
A read past address 99 is answered with exception 2, Illegal Data Address.
Prints "ready" once the port is open.
"""
import asyncio
import logging
import sys

from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
from pymodbus.server import StartAsyncSerialServer
from pymodbus.transaction import ModbusAsciiFramer, ModbusRtuFramer

SIZE = 100


def slave(number):
    return ModbusSlaveContext(
        hr=ModbusSequentialDataBlock(0, [1000 * number + a for a in range(SIZE)]),
        ir=ModbusSequentialDataBlock(0, [1000 * number + 500 + a for a in range(SIZE)]),
        co=ModbusSequentialDataBlock(0, [a % 3 == 0 for a in range(SIZE)]),
        di=ModbusSequentialDataBlock(0, [a % 2 == 1 for a in range(SIZE)]),
        zero_mode=True,
    )


async def main(port, framing):
    logging.basicConfig(level=logging.CRITICAL)
    context = ModbusServerContext(slaves={1: slave(1), 2: slave(2)}, single=False)
    framer = ModbusAsciiFramer if framing == "ascii" else ModbusRtuFramer
    server = await StartAsyncSerialServer(
        context=context,
        framer=framer,
        port=port,
        baudrate=115200,
        # A pseudo-terminal carries whole bytes whatever the line says; pyserial refuses 7 data
        # bits on one.
        bytesize=8,
        timeout=0.005,
        ignore_missing_slaves=True,
        defer_start=True,
    )
    await server.start()
    if server.transport is None:
        print("cannot open " + port, flush=True)
        return 1
    print("ready", flush=True)
    await server.serve_forever()
    return 0


if __name__ == "__main__":
    sys.exit(asyncio.run(main(sys.argv[1], sys.argv[2])))
