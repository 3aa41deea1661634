#include "calibrationhost.h"

CalibrationTimers calibrationTimers;
