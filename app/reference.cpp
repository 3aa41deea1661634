#include "reference.h"
#include "ui_reference.h"

#include "appsettings.h"

Reference::Reference(QWidget* parent) : QDialog(parent), ui(new Ui::Reference)
{
    programName = QStringLiteral("Qiro Configuration");
    buildDate = QStringLiteral(__DATE__);
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(tr("Справка"));
    ui->label_program_version->setText(appVersion);
    ui->label_program_name->setText(programName);
    ui->label_program_update_date->setText(buildDate);
}

Reference::~Reference()
{
    delete ui;
}
