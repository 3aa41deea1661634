#pragma once

class QTimer;

// What the calibration page needs of the main window: its two timers (the
// 500 ms device poll and the 1000 ms chart tick). The main window fills this
// in when it is built and empties it before it ends the device session; the
// page only starts, stops and inspects the timers.
struct CalibrationTimers {
    QTimer* poll = nullptr;
    QTimer* chart = nullptr;
};

extern CalibrationTimers calibrationTimers;
