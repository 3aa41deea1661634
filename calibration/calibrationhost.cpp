#include "calibrationhost.h"

#include <QMessageBox>

CalibrationTimers calibrationTimers{nullptr, nullptr,
                                    [](QWidget* parent, const QString& title, const QString& text) {
                                        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
                                    }};
