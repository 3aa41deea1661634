#pragma once

#include <QDialog>
#include <QString>

namespace Ui
{
class Reference;
}

// The about box: program version, name and build date.
class Reference : public QDialog
{
    Q_OBJECT

public:
    explicit Reference(QWidget* parent);
    ~Reference() override;

private:
    Ui::Reference* ui;
    QString programName;
    QString buildDate; // as the compiler gives it, e.g. "Sep 11 2025"
};
