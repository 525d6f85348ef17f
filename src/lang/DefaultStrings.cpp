#include "lang/DefaultStrings.h"

#include "lang/StringTable.h"

namespace veldrin {

const QStringList& DefaultStrings()
{
    // The built-in English texts by index. Several keep a blank at one end, and 22 to 24
    // are a single blank: the windows rely on them as they stand.
    static const QStringList original = {
        QStringLiteral("Begin"),                                                             // 0
        QStringLiteral("Step 1"),                                                            // 1
        QStringLiteral("Step 2"),                                                            // 2
        QStringLiteral("Step 3"),                                                            // 3
        QStringLiteral("Step 4"),                                                            // 4
        QStringLiteral("Step 5"),                                                            // 5
        QStringLiteral("Step 6"),                                                            // 6
        QStringLiteral("Step 7"),                                                            // 7
        QStringLiteral("Step 8"),                                                            // 8
        QStringLiteral("None Configuration Opened "),                                        // 9
        QStringLiteral("Use Step1 to open or create new configuration"),                     // 10
        QStringLiteral("Opened Configuration of the Converter : "),                          // 11
        QStringLiteral("Information"),                                                       // 12
        QStringLiteral("Options"),                                                           // 13
        QStringLiteral("Close Configurator"),                                                // 14
        QStringLiteral("New Configuration"),                                                 // 15
        QStringLiteral("Open Configuration"),                                                // 16
        QStringLiteral("Update Device"),                                                     // 17
        QStringLiteral("Error! Project not Valid"),                                          // 18
        QStringLiteral("New Version Available. Click Here for more Details"),                // 19
        QStringLiteral("Set Communication"),                                                 // 20
        QStringLiteral("Set Modbus Access"),                                                 // 21
        QStringLiteral(" "),                                                                 // 22
        QStringLiteral(" "),                                                                 // 23
        QStringLiteral(" "),                                                                 // 24
        QStringLiteral("Create New Configuration"),                                          // 25
        QStringLiteral("Create New Configuration"),                                          // 26
        QStringLiteral("Name of the new Configuration"),                                     // 27
        QStringLiteral("OK"),                                                                // 28
        QStringLiteral("Cancel"),                                                            // 29
        QStringLiteral("Error! Name project is not valid"),                                  // 30
        QStringLiteral("Error! Name project is not valid because directory already exists"), // 31
        QStringLiteral("Error! Name Project is not valid"),                                  // 32
        QStringLiteral("Open Configuration"),                                                // 33
        QStringLiteral("Open an Existing Configuration"),                                    // 34
        QStringLiteral("List of Avaliable Configurations"),                                  // 35
        QStringLiteral("OK"),                                                                // 36
        QStringLiteral("Cancel"),                                                            // 37
        QStringLiteral("Software Options"),                                                  // 38
        QStringLiteral("Software Options"),                                                  // 39
        QStringLiteral("Language"),                                                          // 40
        QStringLiteral("Connection Options"),                                                // 41
        QStringLiteral("Selected Language : "),                                              // 42
        QStringLiteral("Page "),                                                             // 43
        QStringLiteral(" / "),                                                               // 44
        QStringLiteral("Previous"),                                                          // 45
        QStringLiteral("Next"),                                                              // 46
        QStringLiteral("Enable Internet Connection"),                                        // 47
        QStringLiteral("Check Software Update at Start of Program"),                         // 48
        QStringLiteral("Check Available Update"),                                            // 49
        QStringLiteral("OK"),                                                                // 50
        QStringLiteral("Cancel"),                                                            // 51
        QStringLiteral("New Version Available. Click Here for more Details"),                // 52
        QStringLiteral("No Update Available"),                                               // 53
        QStringLiteral("Do you want to change the Language from "),                          // 54
        QStringLiteral(" to "),                                                              // 55
        QStringLiteral("?"),                                                                 // 56
        QStringLiteral("Update Firmware from Etherner (UDP)"),                               // 57
        QStringLiteral("Insert the IP Address of "),                                         // 58
        QStringLiteral("Check the Connection the device"),                                   // 59
        QStringLiteral("Ping"),                                                              // 60
        QStringLiteral("Cancel"),                                                            // 61
        QStringLiteral("Next"),                                                              // 62
        QStringLiteral("Update Device Options"),                                             // 63
        QStringLiteral("Firmware"),                                                          // 64
        QStringLiteral("Read Firmware when finish"),                                         // 65
        QStringLiteral("Configuration"),                                                     // 66
        QStringLiteral("Read Configuration when finish"),                                    // 67
        QStringLiteral("Execute update firmware"),                                           // 68
        QStringLiteral("Device Found!"),                                                     // 69
        QStringLiteral("Device Not Found!"),                                                 // 70
        QStringLiteral("Error!!! Check the Ip Address"),                                     // 71
        QStringLiteral("Device not found in network"),                                       // 72
        QStringLiteral("Update Device by Serial"),                                           // 73
        QStringLiteral("Update Device Using the Serial Port"),                               // 74
        QStringLiteral("Follow these steps to update from RS232:"),                          // 75
        QStringLiteral("1 - Turn OFF the Device"),                                           // 76
        QStringLiteral("2 - Use the Dip-Switch to set the Boot Mode"),                       // 77
        QStringLiteral("3 - Select the COM Port for the Update"),                            // 78
        QStringLiteral("4 - Turn ON the Device"),                                            // 79
        QStringLiteral("Update COM Ports List"),                                             // 80
        QStringLiteral("Update Device Options"),                                             // 81
        QStringLiteral("Firmware"),                                                          // 82
        QStringLiteral("Read Firmware After Write"),                                         // 83
        QStringLiteral("Configuration"),                                                     // 84
        QStringLiteral("Read Configuration After Write"),                                    // 85
        QStringLiteral("Cancel"),                                                            // 86
        QStringLiteral("Next"),                                                              // 87
        QStringLiteral("Execute Update Firmware"),                                           // 88
        QStringLiteral("Error! Select the COM port to use for the Update"),                  // 89
        QStringLiteral("Set Communication"),                                                 // 90
        QStringLiteral("Set Communication Setting"),                                         // 91
        QStringLiteral("OK"),                                                                // 92
        QStringLiteral("Cancel"),                                                            // 93
        QStringLiteral(" Select Device "),                                                   // 94
        QStringLiteral("Device till April 2014 (with Jumper)"),                              // 95
        QStringLiteral("Device from May 2014 (with Dip-Switch)"),                            // 96
        QStringLiteral(" Ethernet "),                                                        // 97
        QStringLiteral("IP ADDRESS"),                                                        // 98
        QStringLiteral("SUBNET Mask"),                                                       // 99
        QStringLiteral("GATEWAY"),                                                           // 100
        QStringLiteral("Port"),                                                              // 101
        QStringLiteral("Protocol"),                                                          // 102
        QStringLiteral(" Modbus Master "),                                                   // 103
        QStringLiteral("Serial"),                                                            // 104
        QStringLiteral("Baudrate"),                                                          // 105
        QStringLiteral("Parity"),                                                            // 106
        QStringLiteral("TimeOut (ms)"),                                                      // 107
        QStringLiteral("Communication Idle Time (ms)"),                                      // 108
        QStringLiteral("Protocol"),                                                          // 109
        QStringLiteral("Collapse"),                                                          // 110
        QStringLiteral("Expand"),                                                            // 111
        QStringLiteral("Error Ethernet!! IP Address 1 must be between 0 and 255"),           // 112
        QStringLiteral("Error Ethernet!! IP Address 2 must be between 0 and 255"),           // 113
        QStringLiteral("Error Ethernet!! IP Address 3 must be between 0 and 255"),           // 114
        QStringLiteral("Error Ethernet!! IP Address 4 must be between 0 and 255"),           // 115
        QStringLiteral("Error Ethernet!! SUBNET Mask 1 must be between 0 and 255"),          // 116
        QStringLiteral("Error Ethernet!! SUBNET Mask 2 must be between 0 and 255"),          // 117
        QStringLiteral("Error Ethernet!! SUBNET Mask 3 must be between 0 and 255"),          // 118
        QStringLiteral("Error Ethernet!! SUBNET Mask 4 must be between 0 and 255"),          // 119
        QStringLiteral("Error Ethernet!! GATEWAY IP 1 must be between 0 and 255"),           // 120
        QStringLiteral("Error Ethernet!! GATEWAY IP 2 must be between 0 and 255"),           // 121
        QStringLiteral("Error Ethernet!! GATEWAY IP 3 must be between 0 and 255"),           // 122
        QStringLiteral("Error Ethernet!! GATEWAY IP 4 must be between 0 and 255"),           // 123
        QStringLiteral("Error Ethernet!! PORT must be between 0 and 65535"),                 // 124
        QStringLiteral("Error Modbus Master!! TimeOut must be between 0 and 100000000 ms"),  // 125
        QStringLiteral(
            "Error Modbus Master!! Communication Idle Time must be between 0 and 100000000 ms"), // 126
        QStringLiteral("Do you want to exit without saving changes?"),                           // 127
        QStringLiteral("Set Modbus Access"),                                                     // 128
        QStringLiteral("Set Modbus Access"),                                                     // 129
        QStringLiteral("OK"),                                                                    // 130
        QStringLiteral("Cancel"),                                                                // 131
        QStringLiteral("Delete Row"),                                                            // 132
        QStringLiteral("Insert Row"),                                                            // 133
        QStringLiteral("Modbus Read"),                                                           // 134
        QStringLiteral("Modbus Write"),                                                          // 135
        QStringLiteral("N"),                                                                     // 136
        QStringLiteral("Slave ID"),                                                              // 137
        QStringLiteral("Type"),                                                                  // 138
        QStringLiteral("Address"),                                                               // 139
        QStringLiteral("NPoint"),                                                                // 140
        QStringLiteral("Poll Time"),                                                             // 141
        QStringLiteral("Max Error"),                                                             // 142
        QStringLiteral("Position"),                                                              // 143
        QStringLiteral("Start Bit"),                                                             // 144
        QStringLiteral("Mnemonic"),                                                              // 145
        QStringLiteral("N"),                                                                     // 146
        QStringLiteral("Slave ID"),                                                              // 147
        QStringLiteral("Type"),                                                                  // 148
        QStringLiteral("Address"),                                                               // 149
        QStringLiteral("NPoint"),                                                                // 150
        QStringLiteral("Poll Time"),                                                             // 151
        QStringLiteral("On Change"),                                                             // 152
        QStringLiteral("Max Error"),                                                             // 153
        QStringLiteral("Position"),                                                              // 154
        QStringLiteral("Start Bit"),                                                             // 155
        QStringLiteral("Mnemonic"),                                                              // 156
        QStringLiteral("Error row "),                                                            // 157
        QStringLiteral("!! [Modbus Read] Slave ID must be between 1 and 247"),                   // 158
        QStringLiteral("!! [Modbus Read] Type must be Coil Status or Input Status or Holding Register or "
                       "Input Register"),                                                               // 159
        QStringLiteral("!! [Modbus Read] Address must be between 0 and 65535"),                         // 160
        QStringLiteral("!! [Modbus Read] NPoint must be between 1 and "),                               // 161
        QStringLiteral("!! [Modbus Read] Poll Time must be between 1 and 100000000"),                   // 162
        QStringLiteral("!! [Modbus Read] Max Error must be between 0 and 100000000"),                   // 163
        QStringLiteral("!! [Modbus Read] Position must be between 0 and "),                             // 164
        QStringLiteral("!! [Modbus Read] Bit must be between 0 and 7"),                                 // 165
        QStringLiteral("!! [Modbus Read] Too many bytes to save starting from the Position indicate"),  // 166
        QStringLiteral("!! [Modbus Write] Slave ID must be between 1 and 247"),                         // 167
        QStringLiteral("!! [Modbus Write] Type must be Coil Status or Holding Register"),               // 168
        QStringLiteral("!! [Modbus Write] Address must be between 0 and 65535"),                        // 169
        QStringLiteral("!! [Modbus Write] NPoint must be between 1 and "),                              // 170
        QStringLiteral("!! [Modbus Write] Poll Time must be between 0 and 100000000"),                  // 171
        QStringLiteral("!! [Modbus Write] Max Error must be between 0 and 100000000"),                  // 172
        QStringLiteral("!! [Modbus Write] Position must be between 0 and "),                            // 173
        QStringLiteral("!! [Modbus Write] Bit must be between 0 and 7"),                                // 174
        QStringLiteral("!! [Modbus Write] Too many bytes to read starting from the Position indicate"), // 175
        QStringLiteral("Are you sure to delete the Row number "),                                       // 176
        QStringLiteral("Stop Bits"),                                                                    // 177
        QStringLiteral("Error Modbus Master!! Two Stop Bits can used only with Parity None"),           // 178
    };
    // The texts added since start at FirstAddedText: the indexes between hold none. A text
    // with %1, %2 has its values filled in by the code that shows it.
    static const QStringList texts =
        original + QStringList(FirstAddedText - OriginalTextCount) +
        QStringList{
            QStringLiteral("The configuration \"%1\" is gone: its folder %2 no longer exists."), // 200
            QStringLiteral("An updater started earlier is still running. Wait until it has finished before "
                           "starting the update again."),                            // 201
            QStringLiteral("Waiting for %1 to finish: %2 s"),                        // 202
            QStringLiteral("Seconds waited"),                                        // 203
            QStringLiteral("%1 is running..."),                                      // 204
            QStringLiteral("%1 did not start."),                                     // 205
            QStringLiteral("%1 is still running; it is left to finish on its own."), // 206
            QStringLiteral("%1 stopped abnormally."),                                // 207
            QStringLiteral("%1 ended with error code %2."),                          // 208
            QStringLiteral("%1 finished."),                                          // 209
            QStringLiteral("Checking..."),                                           // 210
            QStringLiteral("Ping not permitted"),                                    // 211
            QStringLiteral("Ports cannot be listed"),                                // 212
            QStringLiteral("No access: join the dialout group"),                     // 213
            QStringLiteral("You may not open this port: ask for membership of the dialout group and log in "
                           "again."), // 214
            QStringLiteral("Only the rows before the first empty %1 are saved. These rows hold data and will "
                           "be lost:"),           // 215
            QStringLiteral("Save without them?"), // 216
            QStringLiteral(
                "Row %1 of %2 holds data, which inserting a row would push out of the table. Delete "
                "or clear a row first."), // 217
            QStringLiteral("The program folder %1 cannot be written: settings and configurations cannot be "
                           "saved there."), // 218
            QStringLiteral("The configurator is already running from the folder %1. Use the window that is "
                           "open; a second one would overwrite its settings and configurations."), // 219
            QStringLiteral("The update server could not be reached."),                             // 220
            QStringLiteral("Stop waiting"),                                                        // 221
            QStringLiteral("These pasted values are not among their columns' entries, so their cells were "
                           "left as they were:"), // 222
            QStringLiteral("Row %1, %2: %3"),     // 223
            QStringLiteral("... and %1 more."),   // 224
            QStringLiteral("This computer does not permit the configurator to send ICMP echo requests "
                           "(ping), so it cannot check the device. To permit them, either let users send "
                           "them (as root: sysctl -w net.ipv4.ping_group_range=\"0 2147483647\", and the "
                           "same setting in a file in /etc/sysctl.d to keep it after a restart), or install "
                           "the system's ping program (package iputils-ping). (%1)"),             // 225
            QStringLiteral("Bus load %1 % at %2 (read %3 %, write %4 %) · shortest cycle %5 ms"), // 226
            QStringLiteral("An estimate from frame sizes and gaps, not a measurement: slaves that answer "
                           "late and retries add to it."), // 227
            QStringLiteral("These read rows fill the same bytes of the input area, so one answer overwrites "
                           "another:"),                                                   // 228
            QStringLiteral("Rows %1 and %2: bytes %3-%4"),                                // 229
            QStringLiteral("Save anyway?"),                                               // 230
            QStringLiteral("Data-area map"),                                              // 231
            QStringLiteral("Input area: read requests"),                                  // 232
            QStringLiteral("Output area: write requests"),                                // 233
            QStringLiteral("Requests: %1 · free bytes: %2 of %3 · overlaps: %4"),         // 234
            QStringLiteral("Left out, as they fail the checks: rows %1"),                 // 235
            QStringLiteral("Byte %1"),                                                    // 236
            QStringLiteral("free"),                                                       // 237
            QStringLiteral("Row %1: slave %2, %3, address %4, quantity %5, bytes %6-%7"), // 238
            QStringLiteral(
                "Each coloured span is a request, labelled with its row where the label fits; the row "
                "selected in the grid is outlined. Red hatching marks bits two requests share: in the input "
                "area one answer overwrites the other, in the output area the same data goes to several "
                "slaves, which is often intended. Plain bytes are free. Point at a byte to see its rows; "
                "click a span, or press Enter on it, to select its row."),                   // 239
            QStringLiteral("Save as PNG..."),                                                // 240
            QStringLiteral("Close"),                                                         // 241
            QStringLiteral("PNG pictures (*.png)"),                                          // 242
            QStringLiteral("The map could not be drawn as a PNG picture."),                  // 243
            QStringLiteral("Line %1, column %2: \"%3\" is not among the column's entries."), // 244
            QStringLiteral("Line %1 is not UTF-8 text."),                                    // 245
            QStringLiteral("The file holds no header line."),                                // 246
            QStringLiteral("Unknown columns: %1. The columns are: %2."),                     // 247
            QStringLiteral("The column %1 appears twice."),                                  // 248
            QStringLiteral("The file has no %1 column."),                                    // 249
            QStringLiteral("Line %1: a quoted field is not closed."),                        // 250
            QStringLiteral("Line %1: text follows a closing quote."),                        // 251
            QStringLiteral("Line %1 has %2 fields; the header has %3."),                     // 252
            QStringLiteral("Line %1: the table has room for %2 rows, so this row and the ones after it do "
                           "not fit."), // 253
            QStringLiteral("Line %1, column %2: a row with data needs a Slave ID; the rows after an empty "
                           "one would not be saved."),            // 254
            QStringLiteral("Import CSV..."),                      // 255
            QStringLiteral("Export CSV..."),                      // 256
            QStringLiteral("CSV files (*.csv)"),                  // 257
            QStringLiteral("Nothing was imported from %1:"),      // 258
            QStringLiteral("%1 holds %2 rows for the %3 table."), // 259
            QStringLiteral("Replace the table"),                  // 260
            QStringLiteral("Append after row %1"),                // 261
            QStringLiteral("Undo"),                               // 262
            QStringLiteral("Redo"),                               // 263
            QStringLiteral("Cut"),                                // 264
            QStringLiteral("Copy"),                               // 265
            QStringLiteral("Paste"),                              // 266
            QStringLiteral("Delete"),                             // 267
            QStringLiteral(
                "The load is done, but its copy in the configuration's history could not be kept: %1"), // 268
            QStringLiteral("Some files of the installation could not be copied into your folder %1:"),  // 269
            QStringLiteral("Changes since last load"),                                                  // 270
            QStringLiteral("No load of this configuration has been recorded yet: its history begins with the "
                           "next Update Device that ends well."),           // 271
            QStringLiteral("Nothing has changed since the last load, %1."), // 272
            QStringLiteral("Changes since the last load, %1."),             // 273
            QStringLiteral("on %1 over the serial port %2"),                // 274
            QStringLiteral("on %1 over Ethernet to %2"),                    // 275
            QStringLiteral("Communication parameters"),                     // 276
            QStringLiteral("added"),                                        // 277
            QStringLiteral("removed"),                                      // 278
            QStringLiteral("changed"),                                      // 279
            QStringLiteral("At the last load"),                             // 280
            QStringLiteral("Now"),                                          // 281
            QStringLiteral("Row %1, %2"),                                   // 282
            QStringLiteral("Device images: %1"),                            // 283
            QStringLiteral("Field"),                                        // 284
            QStringLiteral("OK"),                                           // 285
            QStringLiteral("Time-out"),                                     // 286
            QStringLiteral("Exception %1 (%2)"),                            // 287
            QStringLiteral("CRC or LRC error"),                             // 288
            QStringLiteral("Framing error"),                                // 289
            QStringLiteral("Answer from slave %1"),                         // 290
            QStringLiteral("Wrong answer"),                                 // 291
            QStringLiteral("Not run"),                                      // 292
            QStringLiteral("Not sent (write)"),                             // 293
            QStringLiteral("The serial port %1 does not exist."),           // 294
            QStringLiteral("The serial port %1 is busy: another program holds it. Close that program and try "
                           "again."),                                  // 295
            QStringLiteral("The serial port %1 cannot be opened: %2"), // 296
            QStringLiteral("The serial port %1 failed during the run: %2. The rows not yet polled are marked "
                           "Not run."),                                                        // 297
            QStringLiteral("Write row %1 needs %2 values from 0 to %3, separated by commas."), // 298
            QStringLiteral("Write row %1: slave %2, address %3, values %4"),                   // 299
            QStringLiteral("These write requests go to the live bus and may move real outputs of the plant: "
                           "%1. Send them?"),                                          // 300
            QStringLiteral("Test poll"),                                               // 301
            QStringLiteral("Port:"),                                                   // 302
            QStringLiteral("Rounds:"),                                                 // 303
            QStringLiteral("Until stopped"),                                           // 304
            QStringLiteral("Time-out (ms):"),                                          // 305
            QStringLiteral("Send write requests"),                                     // 306
            QStringLiteral("Start"),                                                   // 307
            QStringLiteral("Stop"),                                                    // 308
            QStringLiteral("Save..."),                                                 // 309
            QStringLiteral("Traffic"),                                                 // 310
            QStringLiteral("Results"),                                                 // 311
            QStringLiteral("Table"),                                                   // 312
            QStringLiteral("Row"),                                                     // 313
            QStringLiteral("Slave"),                                                   // 314
            QStringLiteral("Function"),                                                // 315
            QStringLiteral("Address"),                                                 // 316
            QStringLiteral("Points"),                                                  // 317
            QStringLiteral("Status"),                                                  // 318
            QStringLiteral("Last ms"),                                                 // 319
            QStringLiteral("Min ms"),                                                  // 320
            QStringLiteral("Max ms"),                                                  // 321
            QStringLiteral("Values"),                                                  // 322
            QStringLiteral("Input area"),                                              // 323
            QStringLiteral("Read"),                                                    // 324
            QStringLiteral("Write"),                                                   // 325
            QStringLiteral("Slaves that answered: %1"),                                // 326
            QStringLiteral("Slaves that never answered: %1"),                          // 327
            QStringLiteral("Cycle %1 ms measured, %2 ms estimated from the bus load"), // 328
            QStringLiteral("none"),                                                    // 329
            QStringLiteral("Choose or type a serial port."),                           // 330
            QStringLiteral("Text files (*.txt)"),                                      // 331
            QStringLiteral("Round %1 running..."),                                     // 332
            QStringLiteral("Stopped after %1 rounds."),                                // 333
            QStringLiteral("Finished: %1 rounds."),                                    // 334
            QStringLiteral("Frame"),                                                   // 335
            QStringLiteral("Commissioning report"),                                    // 336
            QStringLiteral("Configuration"),                                           // 337
            QStringLiteral("Folder"),                                                  // 338
            QStringLiteral("Configurator version"),                                    // 339
            QStringLiteral("Written on"),                                              // 340
            QStringLiteral("%1 (not used)"),                                           // 341
            QStringLiteral("Not set yet."),                                            // 342
            QStringLiteral("No request rows."),                                        // 343
            QStringLiteral("Bus load"),                                                // 344
            QStringLiteral("Device images"),                                           // 345
            QStringLiteral("File"),                                                    // 346
            QStringLiteral("Size (bytes)"),                                            // 347
            QStringLiteral("SHA-256"),                                                 // 348
            QStringLiteral("not compiled yet"),                                        // 349
            QStringLiteral("The images in the bin folder do not match the configuration's files: they were "
                           "compiled from an earlier state of it."),                         // 350
            QStringLiteral("The images in the bin folder match the configuration's files."), // 351
            QStringLiteral("The configuration cannot be compiled: %1"),                      // 352
            QStringLiteral("Last load"),                                                     // 353
            QStringLiteral("When and how"),                                                  // 354
            QStringLiteral("Loaded"),                                                        // 355
            QStringLiteral("Result"),                                                        // 356
            QStringLiteral("The updater ended with exit code %1."),                          // 357
            QStringLiteral("Page %1 of %2"),                                                 // 358
            QStringLiteral("Sign-off"),                                                      // 359
            QStringLiteral("Name"),                                                          // 360
            QStringLiteral("Date"),                                                          // 361
            QStringLiteral("Signature"),                                                     // 362
            QStringLiteral("Each coloured span is a request, labelled with its row where the label fits. "
                           "Hatching marks bits two requests share: in the input area one answer overwrites "
                           "the other, in the output area the same data goes to several slaves, which is "
                           "often intended. White bytes are free."),     // 363
            QStringLiteral("nothing"),                                   // 364
            QStringLiteral("Commissioning report..."),                   // 365
            QStringLiteral("PDF documents (*.pdf);;Web pages (*.html)"), // 366
            QStringLiteral("Test poll: a span outlined green answered; a span cross-hatched black did not "
                           "answer."), // 367
        };
    return texts;
}

} // namespace veldrin
