<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>AuthorizationWindow</name>
    <message>
        <source>Авторизация</source>
        <translation>Authorization</translation>
    </message>
    <message>
        <source>Логин:</source>
        <translation>Login:</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Авторизоваться</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>Чтение заводских параметров</source>
        <translation>Reading factory settings</translation>
    </message>
    <message>
        <source>Введите пароль:</source>
        <translation>Enter password:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Вы успешно авторизовались</source>
        <translation>You have logged in successfully</translation>
    </message>
    <message>
        <source>Вы не успешно авторизовались</source>
        <translation>Login failed</translation>
    </message>
    <message>
        <source>Нет прав доступа</source>
        <translation>Access denied</translation>
    </message>
    <message>
        <source>Введите пароль</source>
        <translation>Enter the password</translation>
    </message>
</context>
<context>
    <name>Connect_com_port</name>
    <message>
        <source>Подключение устройства</source>
        <translation>Device connection</translation>
    </message>
    <message>
        <source>COM port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>Rescan</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Addr </source>
        <translation>Addr </translation>
    </message>
    <message>
        <source>QIRO T2 v0.01</source>
        <translation>QIRO T2 v0.01</translation>
    </message>
    <message>
        <source>QIRO T6 v0.01</source>
        <translation>QIRO T6 v0.01</translation>
    </message>
    <message>
        <source>QIRO T6 Max(4) v0.01</source>
        <translation>QIRO T6 Max(4) v0.01</translation>
    </message>
    <message>
        <source>QIRO T6 Max v0.01</source>
        <translation>QIRO T6 Max v0.01</translation>
    </message>
    <message>
        <source>QIRO T2 v0.02</source>
        <translation>QIRO T2 v0.02</translation>
    </message>
    <message>
        <source>QIRO T6 v0.02</source>
        <translation>QIRO T6 v0.02</translation>
    </message>
    <message>
        <source>QIRO T6 Max(4) v0.02</source>
        <translation>QIRO T6 Max(4) v0.02</translation>
    </message>
    <message>
        <source>QIRO T6 Max v0.02</source>
        <translation>QIRO T6 Max v0.02</translation>
    </message>
    <message>
        <source>QIRO T8 Max v0.02</source>
        <translation>QIRO T8 Max v0.02</translation>
    </message>
    <message>
        <source>Подключение</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Не открывает COM port</source>
        <translation>The COM port cannot be opened</translation>
    </message>
    <message>
        <source>COM port устройство не отвечает на запросы</source>
        <translation>The device on the COM port does not answer</translation>
    </message>
    <message>
        <source>Ошибка обмена данными с прибором</source>
        <translation>Data exchange with the device failed</translation>
    </message>
    <message>
        <source>Прибор не опознан</source>
        <translation>Device not recognised</translation>
    </message>
    <message>
        <source>Offline режим</source>
        <translation>Offline mode</translation>
    </message>
    <message>
        <source>Выберите имя устройства:</source>
        <translation>Choose the device:</translation>
    </message>
</context>
<context>
    <name>DeviceSettingAllWindow</name>
    <message>
        <source>Настройка параметров</source>
        <translation>Parameter settings</translation>
    </message>
    <message>
        <source>Выбрать файл</source>
        <translation>Choose file</translation>
    </message>
    <message>
        <source>Считать
конфигурацию</source>
        <translation>Load
configuration</translation>
    </message>
    <message>
        <source>Сохр
таблицу</source>
        <translation>Save
table</translation>
    </message>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Файл конфигурации</source>
        <translation>Configuration file</translation>
    </message>
    <message>
        <source>(*.txt)</source>
        <translation>(*.txt)</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка обмена данными</source>
        <translation>Data exchange error</translation>
    </message>
</context>
<context>
    <name>DeviceSetting_1_Window</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Настроечные параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Концетрация калиб. газа:</source>
        <translation>Calibration gas concentration:</translation>
    </message>
    <message>
        <source>Верхнее значение диапазона:</source>
        <translation>Upper range value:</translation>
    </message>
    <message>
        <source>Порог 1</source>
        <translation>Threshold 1</translation>
    </message>
    <message>
        <source>Убыв.</source>
        <translation>Falling</translation>
    </message>
    <message>
        <source>Порог 2</source>
        <translation>Threshold 2</translation>
    </message>
    <message>
        <source>Порог 3</source>
        <translation>Threshold 3</translation>
    </message>
    <message>
        <source>Порог TWA:</source>
        <translation>TWA threshold:</translation>
    </message>
    <message>
        <source>Порог STEL:</source>
        <translation>STEL threshold:</translation>
    </message>
    <message>
        <source>Интервал STEL:</source>
        <translation>STEL interval:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Авт. калиб. нуля при вкл.:</source>
        <translation>Auto zero at power-on:</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Дискретность(Отображаемая):</source>
        <translation>Resolution (displayed):</translation>
    </message>
    <message>
        <source>Ед. измерения(Отображаемая):</source>
        <translation>Unit (displayed):</translation>
    </message>
    <message>
        <source>Интервал BUMP TEST:</source>
        <translation>BUMP TEST interval:</translation>
    </message>
    <message>
        <source> day</source>
        <translation> day</translation>
    </message>
    <message>
        <source>Интервал калибровки:</source>
        <translation>Calibration interval:</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Возр.</source>
        <translation>Rising</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Off</translation>
    </message>
</context>
<context>
    <name>DeviceSetting_2_Window</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Параметры сенсора</source>
        <translation>Sensor parameters</translation>
    </message>
    <message>
        <source>S/N:</source>
        <translation>S/N:</translation>
    </message>
    <message>
        <source>Молекурялная формула:</source>
        <translation>Molecular formula:</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No. </translation>
    </message>
    <message>
        <source>Коэф. мг/м^3</source>
        <translation>mg/m^3 coeff.</translation>
    </message>
    <message>
        <source>НКПР коэффициент:</source>
        <translation>LEL coefficient:</translation>
    </message>
    <message>
        <source>Верхнее значение диапазона:</source>
        <translation>Upper range value:</translation>
    </message>
    <message>
        <source>Гистерезис:</source>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>Дискретность(Отображаемая):</source>
        <translation>Resolution (displayed):</translation>
    </message>
    <message>
        <source>Ед. измерения(Отображаемая):</source>
        <translation>Unit (displayed):</translation>
    </message>
    <message>
        <source>Дискретность(Основная):</source>
        <translation>Resolution (base):</translation>
    </message>
    <message>
        <source>Ед. измерения(Основная):</source>
        <translation>Unit (base):</translation>
    </message>
    <message>
        <source>Интервал BUMP TEST:</source>
        <translation>BUMP TEST interval:</translation>
    </message>
    <message>
        <source> day</source>
        <translation> day</translation>
    </message>
    <message>
        <source>Интервал калибровки:</source>
        <translation>Calibration interval:</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Parameters</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Основной экран</source>
        <translation>Main screen</translation>
    </message>
    <message>
        <source>Информация об устройстве</source>
        <translation>Device information</translation>
    </message>
    <message>
        <source>Сенсоры</source>
        <translation>Sensors</translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Обслуживание</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>Архив</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Обновление версии ПО
устройства</source>
        <translation>Update device
firmware</translation>
    </message>
    <message>
        <source>Чтение заводских
настроек</source>
        <translation>Restore factory
settings</translation>
    </message>
    <message>
        <source>Сохранить параметры</source>
        <translation>Save parameters</translation>
    </message>
    <message>
        <source>Считать параметры</source>
        <translation>Read parameters</translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Загрузить конфигурацию
в прибор</source>
        <translation>Load configuration
into the device</translation>
    </message>
    <message>
        <source>Сохранить конфигурацию
на ПК</source>
        <translation>Save configuration
on the PC</translation>
    </message>
    <message>
        <source>Установка модуля Ble
в режим прошивки</source>
        <translation>Put the BLE module
into update mode</translation>
    </message>
    <message>
        <source>Выключить прибор</source>
        <translation>Power off the device</translation>
    </message>
    <message>
        <source>Сохранение заводских
настроек</source>
        <translation>Save as factory
settings</translation>
    </message>
    <message>
        <source>Язык приложения</source>
        <translation>Program language</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Английский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Язык на приборе</source>
        <translation>Device language</translation>
    </message>
    <message>
        <source>Уровень д-а</source>
        <translation>Access level</translation>
    </message>
    <message>
        <source>По-ль.</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Се-ый.</source>
        <translation>Serv.</translation>
    </message>
    <message>
        <source>Пр-во.</source>
        <translation>Prod.</translation>
    </message>
    <message>
        <source>Тип девайса</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>Modbus address </source>
        <translation>Modbus address </translation>
    </message>
    <message>
        <source>Меню</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Подключиться к устройству</source>
        <translation>Connect to a device</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Qiro Configuration v</source>
        <translation>Qiro Configuration v</translation>
    </message>
    <message>
        <source> , устройство Qiro T2</source>
        <translation> , device Qiro T2</translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T2</source>
        <translation>Connected to Qiro T2</translation>
    </message>
    <message>
        <source> , устройство Qiro T6</source>
        <translation> , device Qiro T6</translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6</source>
        <translation>Connected to Qiro T6</translation>
    </message>
    <message>
        <source> , устройство Qiro T6 Mini</source>
        <translation> , device Qiro T6 Mini</translation>
    </message>
    <message>
        <source> , устройство Qiro T6Max</source>
        <translation> , device Qiro T6Max</translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6Max</source>
        <translation>Connected to Qiro T6Max</translation>
    </message>
    <message>
        <source> , устройство Bootloader</source>
        <translation> , device Bootloader</translation>
    </message>
    <message>
        <source>Успешное подключение Bootloader</source>
        <translation>Connected to the bootloader</translation>
    </message>
    <message>
        <source>Идет передача данных...</source>
        <translation>Transferring data...</translation>
    </message>
    <message>
        <source>Ошибка обмена данными</source>
        <translation>Data exchange error</translation>
    </message>
    <message>
        <source>Успешная передача данных</source>
        <translation>Data transfer successful</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Файл руководства не найден:
%1</source>
        <translation>The user manual was not found:
%1</translation>
    </message>
    <message>
        <source>Файл конфигурации</source>
        <translation>Configuration file</translation>
    </message>
    <message>
        <source>(*.txt)</source>
        <translation>(*.txt)</translation>
    </message>
    <message>
        <source>Обновление версии ПО</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>Обновление прошивки этой версией программы не поддерживается</source>
        <translation>This version of the program does not update firmware</translation>
    </message>
    <message>
        <source>Общие параметры</source>
        <translation>General parameters</translation>
    </message>
</context>
<context>
    <name>MeasureWindow</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Идентификация детектора</source>
        <translation>Detector identification</translation>
    </message>
    <message>
        <source>Заводской номер:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Версия прошивки:</source>
        <translation>Firmware version:</translation>
    </message>
    <message>
        <source>Апаратная версия:</source>
        <translation>Hardware version:</translation>
    </message>
    <message>
        <source>Параметры устройства</source>
        <translation>Device parameters</translation>
    </message>
    <message>
        <source>Дата производства:</source>
        <translation>Production date:</translation>
    </message>
    <message>
        <source>dd.MM.yy</source>
        <translation>dd.MM.yy</translation>
    </message>
    <message>
        <source>Напряжение батареи:</source>
        <translation>Battery voltage:</translation>
    </message>
    <message>
        <source> V</source>
        <translation> V</translation>
    </message>
    <message>
        <source>Текущее время:</source>
        <translation>Current time:</translation>
    </message>
    <message>
        <source>Температура:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source> °C</source>
        <translation> °C</translation>
    </message>
    <message>
        <source>Текущая концентрация</source>
        <translation>Current concentration</translation>
    </message>
    <message>
        <source>Дата последней калибровки</source>
        <translation>Last calibration date</translation>
    </message>
    <message>
        <source> Заряд батареи:</source>
        <translation> Battery charge:</translation>
    </message>
    <message>
        <source>Текущее состояние:</source>
        <translation>Current state:</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>t - </source>
        <translation>t - </translation>
    </message>
</context>
<context>
    <name>MeasureWindowConcentration</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Канал CxHyC3H8O4</source>
        <translation>Channel CxHyC3H8O4</translation>
    </message>
    <message>
        <source>Канал </source>
        <translation>Channel </translation>
    </message>
    <message>
        <source>Err</source>
        <translation>Err</translation>
    </message>
</context>
<context>
    <name>MeasureWindowDateLastCalib</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Канал CxHyC3H8H9</source>
        <translation>Channel CxHyC3H8H9</translation>
    </message>
    <message>
        <source>dd.MM.yy</source>
        <translation>dd.MM.yy</translation>
    </message>
    <message>
        <source>Канал </source>
        <translation>Channel </translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Пожалуйста подождите</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка открытия файла</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>Ошибка размера файла конфигурации</source>
        <translation>The configuration file has the wrong size</translation>
    </message>
    <message>
        <source>Файл конфигурации повреждён</source>
        <translation>The configuration file is damaged</translation>
    </message>
    <message>
        <source>Выполнение процесса...</source>
        <translation>In progress...</translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Выполнение процесса,
осталось %1 секунд</source>
        <translation>In progress,
%1 seconds left</translation>
    </message>
</context>
<context>
    <name>Reference</name>
    <message>
        <source>Версия программы:</source>
        <translation>Program version:</translation>
    </message>
    <message>
        <source>Название программы:</source>
        <translation>Program name:</translation>
    </message>
    <message>
        <source>Дата обновления:</source>
        <translation>Build date:</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>About</translation>
    </message>
</context>
</TS>
