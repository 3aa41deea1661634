#include "devicesetting_4_window.h"

DeviceSetting_4_Window::DeviceSetting_4_Window(QWidget* parent) : QDialog(parent) {}

DeviceSetting_4_Window::~DeviceSetting_4_Window() = default;

void DeviceSetting_4_Window::showParameters(int) {}

void DeviceSetting_4_Window::collectTables(int) {}
