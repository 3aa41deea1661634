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
    <name>DeviceSetting_4_Window</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Настройка канала</source>
        <translation>Channel setup</translation>
    </message>
    <message>
        <source>S/N:</source>
        <translation>S/N:</translation>
    </message>
    <message>
        <source>Ед. изм.:</source>
        <translation>Units:</translation>
    </message>
    <message>
        <source>Дискретность</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Отобр.:</source>
        <translation>Shown:</translation>
    </message>
    <message>
        <source>Осн.:</source>
        <translation>Base:</translation>
    </message>
    <message>
        <source>Коэф. мг/м^3:</source>
        <translation>mg/m^3 coef.:</translation>
    </message>
    <message>
        <source>НКПР коэф.:</source>
        <translation>LEL coef.:</translation>
    </message>
    <message>
        <source>Формула:</source>
        <translation>Formula:</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Коэф. BLDM:</source>
        <translation>BLDM coef.:</translation>
    </message>
    <message>
        <source>Настройка коэффициента калибровки</source>
        <translation>Calibration coefficient setup</translation>
    </message>
    <message>
        <source>АЦП нуля:</source>
        <translation>Zero ADC:</translation>
    </message>
    <message>
        <source>Калиб. конц.:</source>
        <translation>Calib. conc.:</translation>
    </message>
    <message>
        <source>АЦП калиб. конц.:</source>
        <translation>Calib. conc. ADC:</translation>
    </message>
    <message>
        <source>Коэфф. калиб.:</source>
        <translation>Calib. coef.:</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Выкл. канал</source>
        <translation>Channel off</translation>
    </message>
    <message>
        <source>Поз. на плате:</source>
        <translation>Board position:</translation>
    </message>
    <message>
        <source>Настройка измерительной схемы 1</source>
        <translation>Measuring circuit setup 1</translation>
    </message>
    <message>
        <source>RLOAD:</source>
        <translation>RLOAD:</translation>
    </message>
    <message>
        <source>RGAIN:</source>
        <translation>RGAIN:</translation>
    </message>
    <message>
        <source>RLPF:</source>
        <translation>RLPF:</translation>
    </message>
    <message>
        <source>Смещение B:</source>
        <translation>Bias B:</translation>
    </message>
    <message>
        <source>Смещение Z:</source>
        <translation>Bias Z:</translation>
    </message>
    <message>
        <source>PGA:</source>
        <translation>PGA:</translation>
    </message>
    <message>
        <source>Н-ка изм-ой схемы 2</source>
        <translation>Measuring circuit setup 2</translation>
    </message>
    <message>
        <source>Период измерений PID:</source>
        <translation>PID measuring period:</translation>
    </message>
    <message>
        <source> sec</source>
        <translation> sec</translation>
    </message>
    <message>
        <source>Прогрев PID перед изм-ями:</source>
        <translation>PID warm-up before measuring:</translation>
    </message>
    <message>
        <source>Измерения PID:</source>
        <translation>PID measuring:</translation>
    </message>
    <message>
        <source>Защита ТК сенсора:</source>
        <translation>TC sensor protection:</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Калиб. ед. изм.:</source>
        <translation>Calib. units:</translation>
    </message>
    <message>
        <source>UartBT</source>
        <translation>UartBT</translation>
    </message>
    <message>
        <source>UART bautrate:</source>
        <translation>UART baud rate:</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>П1. Убыв.</source>
        <translation>L1 falling</translation>
    </message>
    <message>
        <source>П2. Убыв.</source>
        <translation>L2 falling</translation>
    </message>
    <message>
        <source>П3. Убыв.</source>
        <translation>L3 falling</translation>
    </message>
    <message>
        <source>Мертвая зона:</source>
        <translation>Dead zone:</translation>
    </message>
    <message>
        <source>Мертвая зона 2:</source>
        <translation>Dead zone 2:</translation>
    </message>
    <message>
        <source>Гистерезис:</source>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>Верх. зн-е д.</source>
        <translation>Range top</translation>
    </message>
    <message>
        <source>Квитирование порогов</source>
        <translation>Limit acknowledgement</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Инт. BUMP TEST:</source>
        <translation>BUMP TEST int.:</translation>
    </message>
    <message>
        <source> day</source>
        <translation> day</translation>
    </message>
    <message>
        <source>Инт. калибровки:</source>
        <translation>Calibration int.:</translation>
    </message>
    <message>
        <source>LCD формула:</source>
        <translation>LCD formula:</translation>
    </message>
    <message>
        <source>Порог TWA:</source>
        <translation>TWA limit:</translation>
    </message>
    <message>
        <source>Порог STEL:</source>
        <translation>STEL limit:</translation>
    </message>
    <message>
        <source>Инт. STEL:</source>
        <translation>STEL int.:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Ограничения калибровки диапазона:</source>
        <translation>Span calibration limits:</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
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
        <source>Время прогрева сенсора:</source>
        <translation>Sensor warm-up time:</translation>
    </message>
    <message>
        <source>Количество измерений фильтра:</source>
        <translation>Filter sample count:</translation>
    </message>
    <message>
        <source>Коэф. коррекции:</source>
        <translation>Correction coef.:</translation>
    </message>
    <message>
        <source>Линеаризация</source>
        <translation>Linearisation</translation>
    </message>
    <message>
        <source>Коррекция диапазона</source>
        <translation>Span correction</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>Концентрация</source>
        <translation>Concentration</translation>
    </message>
    <message>
        <source>Коэффициент</source>
        <translation>Coefficient</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Температурная коррекция</source>
        <translation>Temperature correction</translation>
    </message>
    <message>
        <source>Коррекция нуля</source>
        <translation>Zero correction</translation>
    </message>
    <message>
        <source>Температурная коррекция нуля</source>
        <translation>Zero temperature correction</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Ячейка %1</source>
        <translation>Cell %1</translation>
    </message>
    <message>
        <source>Откл</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>RANGE:</source>
        <translation>RANGE:</translation>
    </message>
    <message>
        <source>Изм-е ед. изм. сенсора:</source>
        <translation>Sensor unit change:</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка обмена данными</source>
        <translation>Data exchange error</translation>
    </message>
    <message>
        <source>П1. Возр.</source>
        <translation>L1 rising</translation>
    </message>
    <message>
        <source>П2. Возр.</source>
        <translation>L2 rising</translation>
    </message>
    <message>
        <source>П3. Возр.</source>
        <translation>L3 rising</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Вкл. канал</source>
        <translation>Channel on</translation>
    </message>
    <message>
        <source>Одноканальный сенсор</source>
        <translation>Single-channel sensor</translation>
    </message>
    <message>
        <source>Двуканальный сенсор</source>
        <translation>Two-channel sensor</translation>
    </message>
    <message>
        <source>Кислород</source>
        <translation>Oxygen</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>TK</source>
        <translation>TK</translation>
    </message>
    <message>
        <source>MIPEX</source>
        <translation>MIPEX</translation>
    </message>
    <message>
        <source>CUBIC</source>
        <translation>CUBIC</translation>
    </message>
    <message>
        <source>DYNAMENT</source>
        <translation>DYNAMENT</translation>
    </message>
    <message>
        <source>BELEAD_BLRM</source>
        <translation>BELEAD_BLRM</translation>
    </message>
    <message>
        <source>BELEAD_BLDM</source>
        <translation>BELEAD_BLDM</translation>
    </message>
    <message>
        <source>Одноканальный сенсор Bias</source>
        <translation>Single-channel sensor, bias</translation>
    </message>
    <message>
        <source>Кислород 3</source>
        <translation>Oxygen 3</translation>
    </message>
    <message>
        <source>Другие газы</source>
        <translation>Other gases</translation>
    </message>
    <message>
        <source>Одноканальный Bias 200</source>
        <translation>Single-channel bias 200</translation>
    </message>
    <message>
        <source>Одноканальный Bias 300</source>
        <translation>Single-channel bias 300</translation>
    </message>
    <message>
        <source>Одноканальный Bias -600</source>
        <translation>Single-channel bias -600</translation>
    </message>
    <message>
        <source>Одноканальный N сигнал</source>
        <translation>Single-channel N signal</translation>
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
