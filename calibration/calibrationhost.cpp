#include "calibrationhost.h"

#include "dialogs.h"

CalibrationTimers calibrationTimers{nullptr, nullptr,
                                    [](QWidget* parent, const QString& title, const QString& text) {
                                        dialogs::warning(parent, title, text, QMessageBox::Ok);
                                    }};
