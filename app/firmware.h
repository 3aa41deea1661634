#pragma once

// Firmware upload from Intel-HEX files: the whole file is checked first (record
// checksums, end record, the model word, the size against the model's flash),
// then streamed to the device in blocks of function 15 (running application) or
// 14 (bootloader), framed by writes of the device's command registers.

#include <QtGlobal>

// Uploads lastFirmwareFile. mode: 1 the application takes the image, 0 the
// bootloader, 2 the special update path of the T6 (the check pass may change it).
// Returns 1 when the whole image was sent and the closing write (where the mode
// has one) succeeded; 0 on every failure (each shown in a message box) and on a
// cancel in the progress dialog (no message).
int updateFirmware(int mode);

// Sends one block. Returns true when it FAILED (after showing the error box),
// false when the device took it.
bool sendFirmwareBlock(quint8 functionCode, quint32 address, const quint8* data, quint8 length,
                       int mode);
