#!/usr/bin/env bash
# Times veldrin-cli compile on a full configuration (512 read and 512 write requests) as a
# whole process, in rounds of hyperfine runs, against its floor: a bare Qt command-line program
# that writes two files of the images' sizes through the same durable writer (each synced
# before it replaces its predecessor). Prints the ratio of the medians (target: within 1.1), and
# the ratio to an empty Qt command-line program for reference. The output folder is on the disk
# mktemp uses, so the syncs cost what they cost there.
set -euo pipefail
build=${1:-build}
cli="$build/dist/veldrin-cli"
empty="$build/bench/empty_cli"
floor="$build/bench/durable_write_floor"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
config="$work/Full"
mkdir -p "$config"

# The two files as the dialogs write them: no declaration, no whitespace.
printf '%s' '<GeneralParameter><Device_Type>1</Device_Type><IP1>192</IP1><IP2>168</IP2><IP3>0</IP3><IP4>5</IP4><SUB1>255</SUB1><SUB2>255</SUB2><SUB3>255</SUB3><SUB4>0</SUB4><GAT1>192</GAT1><GAT2>168</GAT2><GAT3>0</GAT3><GAT4>1</GAT4><EN_GAT>1</EN_GAT><PORT>10001</PORT><PROT_TYPE>0</PROT_TYPE><Sel_Ser>1</Sel_Ser><Baud_Rate>4</Baud_Rate><Parity>2</Parity><Time_Out>500</Time_Out><Comm_Idle>50</Comm_Idle><Ser_Prot>0</Ser_Prot><Ser_StopBits>0</Ser_StopBits></GeneralParameter><!--SW_VERSION = 2.003-->' \
  >"$config/ParGen.xml"
{
  printf '%s' '<EtherNetIP_to_Modbus><Modbus_Read>'
  for i in $(seq 0 511); do
    printf '<row Slave_ID="%d" Type="Coil Status" Address="%d" NPoint="16" PollTime="1000" MaxError="3" Position="%d" Bit="0" Mnemonic="Read request %d"/>' \
      $((1 + i % 247)) $((i * 100)) $((i % 999)) "$i"
  done
  printf '%s' '</Modbus_Read><Modbus_Write>'
  for i in $(seq 0 511); do
    printf '<row Slave_ID="%d" Type="Holding Register" Address="%d" NPoint="2" PollTime="500" OnChange="Y" MaxError="0" Position="%d" Bit="" Mnemonic="Write request %d"/>' \
      $((1 + i % 247)) $((i * 10)) $((i % 990)) "$i"
  done
  printf '%s' '</Modbus_Write></EtherNetIP_to_Modbus>'
} >"$config/ModbusM_SetAccess.xml"

"$cli" compile "$config" --out "$work/out"
# Six rounds of fifteen runs each, the three commands in turn in every round.
for round in 1 2 3 4 5 6; do
  hyperfine --style none --warmup 3 --runs 15 --export-json "$work/round-$round.json" \
    -n empty "$empty" \
    -n floor "$floor $work/floor" \
    -n compile "$cli compile $config --out $work/out"
done
"$(dirname "$0")/median-ratio.py" 1.1 compile/floor compile/empty -- "$work"/round-*.json
