<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>ArchiveWindow</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Скачивание архива</source>
        <translation>Archive download</translation>
    </message>
    <message>
        <source>Скачать архив</source>
        <translation>Download archive</translation>
    </message>
    <message>
        <source>Фильтр дата и время</source>
        <translation>Date and time filter</translation>
    </message>
    <message>
        <source>Начало:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>dd.MM.yyyy H:mm:ss</source>
        <translation>dd.MM.yyyy H:mm:ss</translation>
    </message>
    <message>
        <source>Конец:</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>Скачать архив только с ошибками</source>
        <translation>Download errors only</translation>
    </message>
    <message>
        <source>Скачать полный архив для производства</source>
        <translation>Download the full archive for production</translation>
    </message>
    <message>
        <source>Синхронизировать архив</source>
        <translation>Synchronise archive</translation>
    </message>
    <message>
        <source>Настройки архива</source>
        <translation>Archive settings</translation>
    </message>
    <message>
        <source>Начальный адрес арх:</source>
        <translation>Archive start index:</translation>
    </message>
    <message>
        <source>Текущий адрес арх:</source>
        <translation>Archive current index:</translation>
    </message>
    <message>
        <source>Интервал записи арх:</source>
        <translation>Recording interval:</translation>
    </message>
    <message>
        <source> мин</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Интервал записи арх
в режиме порогов:</source>
        <translation>Recording interval
in threshold mode:</translation>
    </message>
    <message>
        <source> с</source>
        <translation> sec</translation>
    </message>
    <message>
        <source>Вкл/Выкл записи арх.:</source>
        <translation>Recording on/off:</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Прибор этой модели не ведёт архив записей</source>
        <translation>This device model keeps no log records</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Off</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Архив синхронизирован</source>
        <translation>Archive synchronised</translation>
    </message>
    <message>
        <source>Архив не синхронизирован</source>
        <translation>Archive not synchronised</translation>
    </message>
    <message>
        <source>Файл архива</source>
        <translation>Archive file</translation>
    </message>
    <message>
        <source>Ожидайте</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Ошибка скачивания</source>
        <translation>Download error</translation>
    </message>
    <message>
        <source>В заданном интервале нет записей</source>
        <translation>No records in the chosen range</translation>
    </message>
    <message>
        <source>Успешное скачивание</source>
        <translation>Download successful</translation>
    </message>
    <message>
        <source>Ошибка экспорта</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>Успешный экспорт</source>
        <translation>Export complete</translation>
    </message>
    <message>
        <source>(*.txt);;(*.csv);;(*.xlsx)</source>
        <translation>(*.txt);;(*.csv);;(*.xlsx)</translation>
    </message>
    <message>
        <source>Скачаны записи с:</source>
        <translation>Records downloaded from:</translation>
    </message>
    <message>
        <source>по:</source>
        <translation>to:</translation>
    </message>
    <message>
        <source>Скачать синхронизированный
 архив</source>
        <translation>Export synchronised
 archive</translation>
    </message>
    <message>
        <source>Экспорт отменён</source>
        <translation>Export cancelled</translation>
    </message>
</context>
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
    <name>Calibration</name>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Статусное состояние</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Калибровать ноль</source>
        <translation>Calibrate zero</translation>
    </message>
    <message>
        <source>Калибровать диапазон</source>
        <translation>Calibrate span</translation>
    </message>
    <message>
        <source>BUMP Test start</source>
        <translation>BUMP Test start</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Выключить сигнализацию</source>
        <translation>Alarm signalling off</translation>
    </message>
    <message>
        <source>Блокировка калибровки
через меню</source>
        <translation>Calibration lock
in the menu</translation>
    </message>
    <message>
        <source>Инт. BUMP TEST:</source>
        <translation>BUMP TEST int.:</translation>
    </message>
    <message>
        <source> дн.</source>
        <translation> day</translation>
    </message>
    <message>
        <source>Температура прибора:</source>
        <translation>Device temperature:</translation>
    </message>
    <message>
        <source>Давление:</source>
        <translation>Pressure:</translation>
    </message>
    <message>
        <source> мм рт. ст.</source>
        <translation> mmHg</translation>
    </message>
    <message>
        <source>Коэффициент</source>
        <translation>Coefficient</translation>
    </message>
    <message>
        <source>Линеаризация</source>
        <translation>Linearisation</translation>
    </message>
    <message>
        <source>Концентрация</source>
        <translation>Concentration</translation>
    </message>
    <message>
        <source>Температурная коррекция</source>
        <translation>Temperature correction</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Температурная коррекция нуля</source>
        <translation>Zero temperature correction</translation>
    </message>
    <message>
        <source>Сохранить
таблицы канала</source>
        <translation>Save
channel tables</translation>
    </message>
    <message>
        <source>Таблицы коррекции</source>
        <translation>Correction tables</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>Подтвердить калибровку</source>
        <translation>Confirm calibration</translation>
    </message>
    <message>
        <source>BUMP Test stop</source>
        <translation>BUMP Test stop</translation>
    </message>
    <message>
        <source>Выполнено</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Ошибка передачи</source>
        <translation>Transfer error</translation>
    </message>
    <message>
        <source>Подайте нулевой газ</source>
        <translation>Apply zero gas</translation>
    </message>
    <message>
        <source>Подайте калибровочный газ</source>
        <translation>Apply calibration gas</translation>
    </message>
    <message>
        <source>Успешное выполнение</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>Ошибка выполнения</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Канал</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Смещение</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Таблицы коррекции этой вкладки есть только в расширенной карте регистров, а прибор работает в классической</source>
        <translation>This tab holds the correction tables of the extended register map only; this device uses the classic map</translation>
    </message>
    <message>
        <source>Таблицы коррекции доступны с уровня Admin</source>
        <translation>The correction tables are available from the Admin level on</translation>
    </message>
    <message>
        <source>Подайте газ концентрацией выше пороговой</source>
        <translation>Apply gas above the threshold concentration</translation>
    </message>
</context>
<context>
    <name>Calibration_Channel</name>
    <message>
        <source>Калибровка Сенсора</source>
        <translation>Sensor calibration</translation>
    </message>
    <message>
        <source>Открыть график</source>
        <translation>Open chart</translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source> дн.</source>
        <translation> day</translation>
    </message>
    <message>
        <source>Кал-ый газ:</source>
        <translation>Cal. gas:</translation>
    </message>
    <message>
        <source>&quot;t&quot; сенсора:</source>
        <translation>Sensor &quot;t&quot;:</translation>
    </message>
    <message>
        <source>Влажность:</source>
        <translation>Humidity:</translation>
    </message>
    <message>
        <source>Интервал кал.:</source>
        <translation>Cal. interval:</translation>
    </message>
    <message>
        <source>Текущая к-ия:</source>
        <translation>Current conc.:</translation>
    </message>
    <message>
        <source>АЦП &quot;0&quot;:</source>
        <translation>ADC &quot;0&quot;:</translation>
    </message>
    <message>
        <source>Те-е АЦП:</source>
        <translation>Current ADC:</translation>
    </message>
    <message>
        <source>АЦП ч-и:</source>
        <translation>ADC span:</translation>
    </message>
    <message>
        <source>График сенсора</source>
        <translation>sensor chart</translation>
    </message>
    <message>
        <source>Закрыть график</source>
        <translation>Close chart</translation>
    </message>
    <message>
        <source>Порог 1:</source>
        <translation>Threshold 1:</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Выполнено</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Ошибка передачи</source>
        <translation>Transfer error</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&quot;t&quot; кал. &quot;0&quot;:</source>
        <translation>&quot;t&quot; at cal. &quot;0&quot;:</translation>
    </message>
    <message>
        <source>Конц. без корр.:</source>
        <translation>Conc. raw:</translation>
    </message>
</context>
<context>
    <name>Calibration_Channel_Chart</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Шкала времени:</source>
        <translation>Time axis:</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
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
        <source>Таблицы канала %1 записаны в прибор</source>
        <translation>Channel %1 tables written to the device</translation>
    </message>
</context>
<context>
    <name>DeviceSettingAllWindow_1</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
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
        <source> мин</source>
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
        <source> дн.</source>
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
        <source>Молекулярная формула:</source>
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
        <source> дн.</source>
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
    <name>DeviceSetting_3_Window</name>
    <message>
        <source>Общие параметры</source>
        <translation>General parameters</translation>
    </message>
    <message>
        <source>Лист 1</source>
        <translation>Sheet 1</translation>
    </message>
    <message>
        <source>Заводской номер:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Аппаратная версия:</source>
        <translation>Hardware version:</translation>
    </message>
    <message>
        <source>Версия прошивки:</source>
        <translation>Firmware version:</translation>
    </message>
    <message>
        <source>Дата производства:</source>
        <translation>Production date:</translation>
    </message>
    <message>
        <source>Время(мото часы):</source>
        <translation>Clock:</translation>
    </message>
    <message>
        <source>Eui lora</source>
        <translation>LoRa EUI</translation>
    </message>
    <message>
        <source>MAC ble</source>
        <translation>BLE MAC</translation>
    </message>
    <message>
        <source>Настройка архива</source>
        <translation>Archive settings</translation>
    </message>
    <message>
        <source>Вкл/Выкл записи арх.:</source>
        <translation>Archive recording on/off:</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Начальный адрес арх:</source>
        <translation>Archive start address:</translation>
    </message>
    <message>
        <source>Текущий адрес арх:</source>
        <translation>Archive current address:</translation>
    </message>
    <message>
        <source>Интервал записи арх:</source>
        <translation>Archive interval:</translation>
    </message>
    <message>
        <source>Интервал записи арх
в режиме порогов:</source>
        <translation>Archive interval
in threshold mode:</translation>
    </message>
    <message>
        <source>Очистка архива</source>
        <translation>Clear archive</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Off</translation>
    </message>
    <message>
        <source> мин</source>
        <translation> min</translation>
    </message>
    <message>
        <source> с</source>
        <translation> sec</translation>
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
        <source> с</source>
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
        <source> дн.</source>
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
        <source> мин</source>
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
    <message>
        <source>Настройки канала %1 записаны в прибор</source>
        <translation>Channel %1 settings written to the device</translation>
    </message>
    <message>
        <source>Порог 1:</source>
        <translation>Threshold 1:</translation>
    </message>
    <message>
        <source>Порог 2:</source>
        <translation>Threshold 2:</translation>
    </message>
    <message>
        <source>Порог 3:</source>
        <translation>Threshold 3:</translation>
    </message>
    <message>
        <source>Верх. зн-е д.:</source>
        <translation>Upper range value:</translation>
    </message>
    <message>
        <source>Смещение</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Передаётся в прибор только кнопкой &quot;Записать&quot;, не &quot;Сохранить параметры&quot;</source>
        <translation>Sent to the device only by &quot;Write&quot;, not by &quot;Save parameters&quot;</translation>
    </message>
    <message>
        <source>АЦП нуля и АЦП калиб. конц. передаются в прибор только кнопкой &quot;Записать&quot;, а не &quot;Сохранить параметры&quot;</source>
        <translation>Zero ADC and Calib. conc. ADC go to the device only with &quot;Write&quot;, not with &quot;Save parameters&quot;</translation>
    </message>
    <message>
        <source>UART baudrate:</source>
        <translation>UART baud rate:</translation>
    </message>
</context>
<context>
    <name>DeviceSetting_5_Window</name>
    <message>
        <source>Доп. параметры</source>
        <translation>Extra parameters</translation>
    </message>
    <message>
        <source>Блокировка калибровки
 через меню</source>
        <translation>Calibration lock
 in the menu</translation>
    </message>
    <message>
        <source>Блокировка выкл.прибора
вне док станции</source>
        <translation>Power-off lock
outside the docking station</translation>
    </message>
    <message>
        <source>Квитирование на всех каналах</source>
        <translation>Acknowledgement on all channels</translation>
    </message>
    <message>
        <source>Включение bluetooth</source>
        <translation>Bluetooth on</translation>
    </message>
    <message>
        <source>Включение lora</source>
        <translation>LoRa on</translation>
    </message>
    <message>
        <source>Включение GPS</source>
        <translation>GPS on</translation>
    </message>
    <message>
        <source>Включение ед. изм. на экране</source>
        <translation>Unit shown on the display</translation>
    </message>
    <message>
        <source>Время работы
 статусного диода</source>
        <translation>Status LED
 on-time</translation>
    </message>
    <message>
        <source>Период работы
 статусного диода</source>
        <translation>Status LED
 period</translation>
    </message>
    <message>
        <source>Max
 заряда батареи</source>
        <translation>Battery charge
 max</translation>
    </message>
    <message>
        <source>Min
 заряда батареи</source>
        <translation>Battery charge
 min</translation>
    </message>
    <message>
        <source>1 порог низкого
 заряда батареи</source>
        <translation>Low battery
 threshold 1</translation>
    </message>
    <message>
        <source>2 порог низкого
 заряда батареи</source>
        <translation>Low battery
 threshold 2</translation>
    </message>
    <message>
        <source>Тест звука </source>
        <translation>Sound test </translation>
    </message>
    <message>
        <source>Настройка звука</source>
        <translation>Sound setting</translation>
    </message>
    <message>
        <source>Зеленый индикатор</source>
        <translation>Green indicator</translation>
    </message>
    <message>
        <source>выкл.</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Период 
сообщений по Lora</source>
        <translation>Period of
LoRa messages</translation>
    </message>
    <message>
        <source>Период аварийных
сообщений по Lora</source>
        <translation>Period of LoRa
alarm messages</translation>
    </message>
    <message>
        <source>Тип экрана</source>
        <translation>Display type</translation>
    </message>
    <message>
        <source>Калибровка температуры</source>
        <translation>Temperature calibration</translation>
    </message>
    <message>
        <source>Впишите текущую температуру
окружающей среды:</source>
        <translation>Enter the current
ambient temperature:</translation>
    </message>
    <message>
        <source>Температура:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>Настройка навигации</source>
        <translation>Navigation settings</translation>
    </message>
    <message>
        <source>Тип навигации</source>
        <translation>Navigation type</translation>
    </message>
    <message>
        <source>Type start gps</source>
        <translation>Type start gps</translation>
    </message>
    <message>
        <source>вкл.</source>
        <translation>on</translation>
    </message>
    <message>
        <source>Блокировка сигнализации
 при калибровке через прибор</source>
        <translation>Alarm lock
 while calibrating on the device</translation>
    </message>
    <message>
        <source> с</source>
        <translation> sec</translation>
    </message>
    <message>
        <source> мВ</source>
        <translation> mV</translation>
    </message>
    <message>
        <source>Температура окружающей среды записана в прибор</source>
        <translation>The ambient temperature was written to the device</translation>
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
        <source>Успешное подключение Qiro T2</source>
        <translation>Connected to Qiro T2</translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6</source>
        <translation>Connected to Qiro T6</translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6Max</source>
        <translation>Connected to Qiro T6Max</translation>
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
        <source>Файл прошивки</source>
        <translation>Firmware file</translation>
    </message>
    <message>
        <source>(*.HEX)</source>
        <translation>(*.HEX)</translation>
    </message>
    <message>
        <source>Загрузить в устройство?</source>
        <translation>Load into the device?</translation>
    </message>
    <message>
        <source>Контроллер успешно прошит</source>
        <translation>The controller has been flashed successfully</translation>
    </message>
    <message>
        <source>Контроллер прошивается, подождите несколько минут</source>
        <translation>The controller is being flashed, please wait a few minutes</translation>
    </message>
    <message>
        <source>Offline режим</source>
        <translation>Offline mode</translation>
    </message>
    <message>
        <source>Общие параметры</source>
        <translation>General parameters</translation>
    </message>
    <message>
        <source>Общие параметры_1</source>
        <translation>General parameters_1</translation>
    </message>
    <message>
        <source>Команда отменена: данные не переданы</source>
        <translation>Command cancelled: nothing was sent</translation>
    </message>
    <message>
        <source>Сохранение заводских настроек</source>
        <translation>Saving the factory settings</translation>
    </message>
    <message>
        <source>Параметры, показанные программой, будут записаны в прибор и заменят его текущие и заводские настройки. Прежние заводские настройки будут потеряны.

Продолжить?</source>
        <translation>The parameters shown by the program will be written into the device and will replace its current and factory settings. The previous factory settings will be lost.

Continue?</translation>
    </message>
    <message>
        <source>Чтение заводских настроек</source>
        <translation>Restoring the factory settings</translation>
    </message>
    <message>
        <source>Заводские настройки прибора заменят его текущие настройки. Текущие настройки прибора будут потеряны.

Продолжить?</source>
        <translation>The device&apos;s factory settings will replace its current settings. The device&apos;s current settings will be lost.

Continue?</translation>
    </message>
    <message>
        <source>Конфигурация сохранена в файл %1</source>
        <translation>Configuration saved to the file %1</translation>
    </message>
    <message>
        <source>Конфигурация не сохранена: ошибка записи файла %1</source>
        <translation>Configuration not saved: the file %1 could not be written</translation>
    </message>
    <message>
        <source>Язык на приборе: русский</source>
        <translation>Device language: Russian</translation>
    </message>
    <message>
        <source>Язык на приборе: английский</source>
        <translation>Device language: English</translation>
    </message>
    <message>
        <source>Обновление ПО не выполнено</source>
        <translation>Firmware not updated</translation>
    </message>
    <message>
        <source>Модуль Ble переведён в режим прошивки</source>
        <translation>The BLE module is in its firmware-update mode</translation>
    </message>
    <message>
        <source>Прибор принял команду выключения</source>
        <translation>The device accepted the power-off command</translation>
    </message>
    <message>
        <source>Прибор не подтвердил команду выключения</source>
        <translation>The device did not confirm the power-off command</translation>
    </message>
    <message>
        <source>Файл руководства не найден: %1</source>
        <translation>Manual file not found: %1</translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя: нет программы для просмотра PDF.
Руководство находится здесь:
%1</source>
        <translation>The user manual could not be opened: no program for viewing PDF files.
The manual is here:
%1</translation>
    </message>
    <message>
        <source>Руководство пользователя не открыто, файл: %1</source>
        <translation>User manual not opened, file: %1</translation>
    </message>
    <message>
        <source>Руководство пользователя открыто: %1</source>
        <translation>User manual opened: %1</translation>
    </message>
    <message>
        <source>, устройство Qiro T2</source>
        <translation>, device Qiro T2</translation>
    </message>
    <message>
        <source>, устройство Qiro T6</source>
        <translation>, device Qiro T6</translation>
    </message>
    <message>
        <source>, устройство Qiro T6 Mini</source>
        <translation>, device Qiro T6 Mini</translation>
    </message>
    <message>
        <source>, устройство Qiro T6Max</source>
        <translation>, device Qiro T6Max</translation>
    </message>
    <message>
        <source>, устройство Bootloader</source>
        <translation>, device Bootloader</translation>
    </message>
    <message>
        <source>, Offline режим</source>
        <translation>, Offline mode</translation>
    </message>
    <message>
        <source>Конфигурация не загружена: в прибор ничего не записано</source>
        <translation>Configuration not loaded: nothing was written to the device</translation>
    </message>
    <message>
        <source>Команда отменена: конфигурация не сохранена</source>
        <translation>Command cancelled: the configuration was not saved</translation>
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
        <source>Аппаратная версия:</source>
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
    <message>
        <source>Ошибка обмена данными</source>
        <translation>Data exchange error</translation>
    </message>
    <message>
        <source>Файл прошивки не исправен</source>
        <translation>The firmware file is damaged</translation>
    </message>
    <message>
        <source>Файл прошивки больше, чем свободной памяти контроллера</source>
        <translation>The firmware file is larger than the free memory of the controller</translation>
    </message>
    <message>
        <source>Критическая ошибка, повторите обновление прошивки</source>
        <translation>Critical error, repeat the firmware update</translation>
    </message>
    <message>
        <source>Файл прошивки пустой</source>
        <translation>The firmware file is empty</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>WA1 - Необходимость периодической BUMP TEST</source>
        <translation>WA1 - Periodic BUMP TEST due</translation>
    </message>
    <message>
        <source>Интервал калибровки:</source>
        <translation>Calibration interval:</translation>
    </message>
    <message>
        <source>Дата последней калибровки:</source>
        <translation>Last calibration date:</translation>
    </message>
    <message>
        <source>Интервал BUMP TEST:</source>
        <translation>BUMP TEST interval:</translation>
    </message>
    <message>
        <source>Дата последнего BUMP TEST:</source>
        <translation>Last BUMP TEST date:</translation>
    </message>
    <message>
        <source>Порог 1:</source>
        <translation>Limit 1:</translation>
    </message>
    <message>
        <source>Порог 2:</source>
        <translation>Limit 2:</translation>
    </message>
    <message>
        <source>Порог 3:</source>
        <translation>Limit 3:</translation>
    </message>
    <message>
        <source>Диапазон:</source>
        <translation>Range:</translation>
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
        <source>Интервал STEL:</source>
        <translation>STEL interval:</translation>
    </message>
    <message>
        <source>Канал включен</source>
        <translation>Channel on</translation>
    </message>
    <message>
        <source>Дата/Время:</source>
        <translation>Date/Time:</translation>
    </message>
    <message>
        <source>Лог №:</source>
        <translation>Log No.:</translation>
    </message>
    <message>
        <source>Тип лога:</source>
        <translation>Log type:</translation>
    </message>
    <message>
        <source>Статус прибора:</source>
        <translation>Device status:</translation>
    </message>
    <message>
        <source>BUMP TEST:</source>
        <translation>BUMP TEST:</translation>
    </message>
    <message>
        <source> TWA:</source>
        <translation> TWA:</translation>
    </message>
    <message>
        <source> АЦП нуля:</source>
        <translation> zero ADC:</translation>
    </message>
    <message>
        <source> АЦП диапазона:</source>
        <translation> span ADC:</translation>
    </message>
    <message>
        <source>Заряд батареи:</source>
        <translation>Battery:</translation>
    </message>
    <message>
        <source>Температура:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>FA</source>
        <translation>FA</translation>
    </message>
    <message>
        <source>WA</source>
        <translation>WA</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Отключен</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Настройка </source>
        <translation>Settings </translation>
    </message>
    <message>
        <source>Неизвестный формат файла экспорта</source>
        <translation>Unknown export file format</translation>
    </message>
    <message>
        <source>Файл экспорта совпадает с файлом лога</source>
        <translation>The export file is the log file itself</translation>
    </message>
    <message>
        <source>Выполнение процесса компоновки,
осталось %1 секунд</source>
        <translation>Composing the export,
%1 seconds left</translation>
    </message>
    <message>
        <source>Экспорт прерван</source>
        <translation>Export cancelled</translation>
    </message>
    <message>
        <source>Ошибка записи файла</source>
        <translation>File write error</translation>
    </message>
    <message>
        <source>Пропущено поврежденных строк: %1</source>
        <translation>Damaged lines skipped: %1</translation>
    </message>
    <message>
        <source>Нет связи с прибором</source>
        <translation>No connection to the device</translation>
    </message>
    <message>
        <source>Прибор этой модели не ведёт архив записей</source>
        <translation>This device model keeps no log records</translation>
    </message>
    <message>
        <source>Последняя строка файла %1 повреждена или не подходит к архиву прибора</source>
        <translation>The last line of the file %1 is damaged or does not match the device archive</translation>
    </message>
    <message>
        <source>Выполнение процесса скачивания,
осталось %1 секунд</source>
        <translation>Downloading,
%1 seconds left</translation>
    </message>
    <message>
        <source>x — номер канала</source>
        <translation>x — channel number</translation>
    </message>
    <message>
        <source>Ошибки канала:</source>
        <translation>Channel faults:</translation>
    </message>
    <message>
        <source>Ax0 - Превышение порог 1</source>
        <translation>Ax0 - Limit 1 exceeded</translation>
    </message>
    <message>
        <source>Ax1 - Превышение порог 2</source>
        <translation>Ax1 - Limit 2 exceeded</translation>
    </message>
    <message>
        <source>Ax2 - Превышение порог 3</source>
        <translation>Ax2 - Limit 3 exceeded</translation>
    </message>
    <message>
        <source>Ax3 - Превышение порог STEL</source>
        <translation>Ax3 - STEL limit exceeded</translation>
    </message>
    <message>
        <source>Ax4 - Превышение порог TWA</source>
        <translation>Ax4 - TWA limit exceeded</translation>
    </message>
    <message>
        <source>Ax5 - Превышение диапазона</source>
        <translation>Ax5 - Range exceeded</translation>
    </message>
    <message>
        <source>Предупреждения системы:</source>
        <translation>System warnings:</translation>
    </message>
    <message>
        <source>Wx7 - Ошибка при калибровке нуля</source>
        <translation>Wx7 - Zero calibration error</translation>
    </message>
    <message>
        <source>Wx8 - Ошибка при калибровке</source>
        <translation>Wx8 - Calibration error</translation>
    </message>
    <message>
        <source>Wx9 - Необходимость периодической калибровки</source>
        <translation>Wx9 - Periodic calibration due</translation>
    </message>
    <message>
        <source>WA1 - Необходимость периодического BUMP TEST</source>
        <translation>WA1 - Periodic BUMP TEST due</translation>
    </message>
    <message>
        <source>WA2 - Критично низкий заряд аккумулятора</source>
        <translation>WA2 - Critically low battery</translation>
    </message>
    <message>
        <source>Ошибки системы:</source>
        <translation>System faults:</translation>
    </message>
    <message>
        <source>Ex6 - Сенсор вышел из строя или не подключен</source>
        <translation>Ex6 - Sensor failed or not connected</translation>
    </message>
    <message>
        <source>FA3 - Ошибка микросхемы памяти</source>
        <translation>FA3 - Memory chip fault</translation>
    </message>
    <message>
        <source>FA4 - Ошибка микросхемы измерений</source>
        <translation>FA4 - Measurement chip fault</translation>
    </message>
    <message>
        <source>WA5 - Ошибка микросхемы BLE</source>
        <translation>WA5 - BLE chip fault</translation>
    </message>
    <message>
        <source>WA6 - Ошибка GPS</source>
        <translation>WA6 - GPS fault</translation>
    </message>
    <message>
        <source>WA7 - Ошибка GSM</source>
        <translation>WA7 - GSM fault</translation>
    </message>
    <message>
        <source>WA8 - Ошибка LORA</source>
        <translation>WA8 - LORA fault</translation>
    </message>
    <message>
        <source>WA9 - Ошибка LCD</source>
        <translation>WA9 - LCD fault</translation>
    </message>
    <message>
        <source>Серийный номер:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Канал:</source>
        <translation>Channel:</translation>
    </message>
    <message>
        <source>Статус:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Единица измерения:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source> АЦП 0:</source>
        <translation> ADC 0:</translation>
    </message>
    <message>
        <source> АЦП д.:</source>
        <translation> ADC s.:</translation>
    </message>
    <message>
        <source>Включение</source>
        <translation>Power on</translation>
    </message>
    <message>
        <source>Выключение</source>
        <translation>Power off</translation>
    </message>
    <message>
        <source>Прошивка</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Поврежденный лог</source>
        <translation>Damaged log</translation>
    </message>
    <message>
        <source>Карта регистров прибора не определена, ничего не записано. Считайте параметры прибора и повторите запись.</source>
        <translation>The device&apos;s register map is not known yet: nothing was written. Read the device parameters and write again.</translation>
    </message>
    <message>
        <source>Файл прошивки предназначен для другой модели прибора</source>
        <translation>The firmware file is for another device model</translation>
    </message>
    <message>
        <source>Нет связи с прибором (Offline режим): данные не переданы</source>
        <translation>No link to the device (offline mode): no data was transferred</translation>
    </message>
    <message>
        <source>Файл %1 уже существует.
Заменить его?</source>
        <translation>The file %1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>Запись файла...</source>
        <translation>Writing the file...</translation>
    </message>
    <message>
        <source>Лист xlsx вмещает не более %1 строк: экспорт остановлен, файл не записан. Для такого объема выберите файл CSV или TXT либо более короткий диапазон.</source>
        <translation>An xlsx sheet holds at most %1 rows: the export was stopped and no file was written. For this much data choose a CSV or TXT file or a shorter range.</translation>
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
