<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>ArchiveWindow</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скачивание архива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скачать архив</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фильтр дата и время</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начало:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dd.MM.yyyy H:mm:ss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конец:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скачать архив только с ошибками</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скачать полный архив для производства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Синхронизировать архив</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки архива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начальный адрес арх:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущий адрес арх:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал записи арх:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> мин</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал записи арх
в режиме порогов:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл/Выкл записи арх.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор этой модели не ведёт архив записей</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Архив синхронизирован</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Архив не синхронизирован</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл архива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ожидайте</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка скачивания</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В заданном интервале нет записей</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное скачивание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка экспорта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешный экспорт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(*.txt);;(*.csv);;(*.xlsx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скачаны записи с:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>по:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скачать синхронизированный
 архив</source>
        <translation></translation>
    </message>
    <message>
        <source>Экспорт отменён</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AuthorizationWindow</name>
    <message>
        <source>Авторизация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Логин:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Авторизоваться</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Чтение заводских параметров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите пароль:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы успешно авторизовались</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вы не успешно авторизовались</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет прав доступа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите пароль</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Calibration</name>
    <message>
        <source>Калибровка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Статусное состояние</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровать ноль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровать диапазон</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BUMP Test start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключить сигнализацию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Блокировка калибровки
через меню</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инт. BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> дн.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура прибора:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Давление:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> мм рт. ст.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэффициент</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линеаризация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Концентрация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температурная коррекция</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температурная коррекция нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить
таблицы канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблицы коррекции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подтвердить калибровку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BUMP Test stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка передачи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подайте нулевой газ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подайте калибровочный газ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное выполнение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка выполнения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблицы коррекции этой вкладки есть только в расширенной карте регистров, а прибор работает в классической</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблицы коррекции доступны с уровня Admin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подайте газ концентрацией выше пороговой</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Calibration_Channel</name>
    <message>
        <source>Калибровка Сенсора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть график</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> дн.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кал-ый газ:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;t&quot; сенсора:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Влажность:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал кал.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущая к-ия:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>АЦП &quot;0&quot;:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Те-е АЦП:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>АЦП ч-и:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>График сенсора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыть график</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка передачи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;t&quot; кал. &quot;0&quot;:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конц. без корр.:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Calibration_Channel_Chart</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шкала времени:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Connect_com_port</name>
    <message>
        <source>Подключение устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Addr </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T2 v0.01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T6 v0.01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T6 Max(4) v0.01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T6 Max v0.01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T2 v0.02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T6 v0.02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T6 Max(4) v0.02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T6 Max v0.02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QIRO T8 Max v0.02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не открывает COM port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM port устройство не отвечает на запросы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка обмена данными с прибором</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор не опознан</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offline режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберите имя устройства:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSettingAllWindow</name>
    <message>
        <source>Настройка параметров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбрать файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать
конфигурацию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохр
таблицу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл конфигурации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблицы канала %1 записаны в прибор</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSettingAllWindow_1</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбрать файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать
конфигурацию</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSetting_1_Window</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настроечные параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Концетрация калиб. газа:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Верхнее значение диапазона:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Убыв.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог TWA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог STEL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал STEL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> мин</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Авт. калиб. нуля при вкл.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дискретность(Отображаемая):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ед. измерения(Отображаемая):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> дн.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал калибровки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Возр.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSetting_2_Window</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры сенсора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S/N:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Молекулярная формула:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэф. мг/м^3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>НКПР коэффициент:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Верхнее значение диапазона:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Гистерезис:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дискретность(Отображаемая):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ед. измерения(Отображаемая):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дискретность(Основная):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ед. измерения(Основная):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> дн.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал калибровки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSetting_3_Window</name>
    <message>
        <source>Общие параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Лист 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заводской номер:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Аппаратная версия:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия прошивки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата производства:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время(мото часы):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eui lora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC ble</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка архива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл/Выкл записи арх.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начальный адрес арх:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущий адрес арх:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал записи арх:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал записи арх
в режиме порогов:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистка архива</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> мин</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> с</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSetting_4_Window</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S/N:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ед. изм.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дискретность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отобр.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Осн.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэф. мг/м^3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>НКПР коэф.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Формула:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэф. BLDM:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка коэффициента калибровки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>АЦП нуля:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиб. конц.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>АЦП калиб. конц.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэфф. калиб.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл. канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поз. на плате:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка измерительной схемы 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RLOAD:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGAIN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RLPF:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение Z:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PGA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Н-ка изм-ой схемы 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период измерений PID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прогрев PID перед изм-ями:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Измерения PID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Защита ТК сенсора:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиб. ед. изм.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UartBT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П1. Убыв.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П2. Убыв.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П3. Убыв.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мертвая зона:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мертвая зона 2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Гистерезис:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Квитирование порогов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инт. BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> дн.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инт. калибровки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LCD формула:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог TWA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог STEL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инт. STEL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> мин</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ограничения калибровки диапазона:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Авт. калиб. нуля при вкл.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время прогрева сенсора:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Количество измерений фильтра:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэф. коррекции:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линеаризация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коррекция диапазона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Концентрация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэффициент</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температурная коррекция</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коррекция нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температурная коррекция нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ячейка %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Откл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RANGE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изм-е ед. изм. сенсора:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П1. Возр.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П2. Возр.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>П3. Возр.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл. канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одноканальный сенсор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Двуканальный сенсор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кислород</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIPEX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CUBIC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DYNAMENT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BELEAD_BLRM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BELEAD_BLDM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одноканальный сенсор Bias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кислород 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Другие газы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одноканальный Bias 200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одноканальный Bias 300</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одноканальный Bias -600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одноканальный N сигнал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки канала %1 записаны в прибор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Верх. зн-е д.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Передаётся в прибор только кнопкой &quot;Записать&quot;, не &quot;Сохранить параметры&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>АЦП нуля и АЦП калиб. конц. передаются в прибор только кнопкой &quot;Записать&quot;, а не &quot;Сохранить параметры&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UART baudrate:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceSetting_5_Window</name>
    <message>
        <source>Доп. параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Блокировка калибровки
 через меню</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Блокировка выкл.прибора
вне док станции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Квитирование на всех каналах</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включение bluetooth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включение lora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включение GPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включение ед. изм. на экране</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время работы
 статусного диода</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период работы
 статусного диода</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max
 заряда батареи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min
 заряда батареи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 порог низкого
 заряда батареи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 порог низкого
 заряда батареи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тест звука </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка звука</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Зеленый индикатор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>выкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период 
сообщений по Lora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Период аварийных
сообщений по Lora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип экрана</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка температуры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Впишите текущую температуру
окружающей среды:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка навигации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип навигации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type start gps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Блокировка сигнализации
 при калибровке через прибор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> мВ</source>
        <translation></translation>
    </message>
    <message>
        <source>Температура окружающей среды записана в прибор</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Основной экран</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Информация об устройстве</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сенсоры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обслуживание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Архив</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновление версии ПО
устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Чтение заводских
настроек</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Авто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить конфигурацию
в прибор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить конфигурацию
на ПК</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка модуля Ble
в режим прошивки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключить прибор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранение заводских
настроек</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык приложения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Русский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Английский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык на приборе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень д-а</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>По-ль.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Се-ый.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пр-во.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип девайса</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modbus address </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Меню</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключиться к устройству</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Справка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qiro Configuration v</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Bootloader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Идет передача данных...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешная передача данных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл руководства не найден:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл конфигурации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновление версии ПО</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл прошивки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(*.HEX)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить в устройство?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контроллер успешно прошит</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контроллер прошивается, подождите несколько минут</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offline режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Общие параметры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Общие параметры_1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команда отменена: данные не переданы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранение заводских настроек</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры, показанные программой, будут записаны в прибор и заменят его текущие и заводские настройки. Прежние заводские настройки будут потеряны.

Продолжить?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Чтение заводских настроек</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заводские настройки прибора заменят его текущие настройки. Текущие настройки прибора будут потеряны.

Продолжить?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конфигурация сохранена в файл %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конфигурация не сохранена: ошибка записи файла %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык на приборе: русский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык на приборе: английский</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновление ПО не выполнено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Модуль Ble переведён в режим прошивки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор принял команду выключения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор не подтвердил команду выключения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл руководства не найден: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось открыть руководство пользователя: нет программы для просмотра PDF.
Руководство находится здесь:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Руководство пользователя не открыто, файл: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Руководство пользователя открыто: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, устройство Qiro T2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, устройство Qiro T6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, устройство Qiro T6 Mini</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, устройство Qiro T6Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, устройство Bootloader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, Offline режим</source>
        <translation></translation>
    </message>
    <message>
        <source>Конфигурация не загружена: в прибор ничего не записано</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команда отменена: конфигурация не сохранена</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeasureWindow</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Идентификация детектора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заводской номер:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия прошивки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Аппаратная версия:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата производства:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dd.MM.yy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Напряжение батареи:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущее время:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущая концентрация</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата последней калибровки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Заряд батареи:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущее состояние:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>t - </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeasureWindowConcentration</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал CxHyC3H8O4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Err</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeasureWindowDateLastCalib</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал CxHyC3H8H9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dd.MM.yy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Пожалуйста подождите</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка открытия файла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка размера файла конфигурации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл конфигурации повреждён</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнение процесса...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнение процесса,
осталось %1 секунд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка обмена данными</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл прошивки не исправен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл прошивки больше, чем свободной памяти контроллера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Критическая ошибка, повторите обновление прошивки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл прошивки пустой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA1 - Необходимость периодической BUMP TEST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал калибровки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата последней калибровки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата последнего BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог 3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диапазон:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог TWA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог STEL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал STEL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал включен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата/Время:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Лог №:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Тип лога:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Статус прибора:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BUMP TEST:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> TWA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> АЦП нуля:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> АЦП диапазона:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заряд батареи:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Да</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройка </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неизвестный формат файла экспорта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл экспорта совпадает с файлом лога</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнение процесса компоновки,
осталось %1 секунд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Экспорт прерван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка записи файла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пропущено поврежденных строк: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет связи с прибором</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прибор этой модели не ведёт архив записей</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Последняя строка файла %1 повреждена или не подходит к архиву прибора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнение процесса скачивания,
осталось %1 секунд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x — номер канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибки канала:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ax0 - Превышение порог 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ax1 - Превышение порог 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ax2 - Превышение порог 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ax3 - Превышение порог STEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ax4 - Превышение порог TWA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ax5 - Превышение диапазона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Предупреждения системы:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wx7 - Ошибка при калибровке нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wx8 - Ошибка при калибровке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wx9 - Необходимость периодической калибровки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA1 - Необходимость периодического BUMP TEST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA2 - Критично низкий заряд аккумулятора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибки системы:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ex6 - Сенсор вышел из строя или не подключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FA3 - Ошибка микросхемы памяти</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FA4 - Ошибка микросхемы измерений</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA5 - Ошибка микросхемы BLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA6 - Ошибка GPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA7 - Ошибка GSM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA8 - Ошибка LORA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WA9 - Ошибка LCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Статус:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Единица измерения:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> АЦП 0:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> АЦП д.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прошивка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поврежденный лог</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Карта регистров прибора не определена, ничего не записано. Считайте параметры прибора и повторите запись.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл прошивки предназначен для другой модели прибора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет связи с прибором (Offline режим): данные не переданы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл %1 уже существует.
Заменить его?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись файла...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Лист xlsx вмещает не более %1 строк: экспорт остановлен, файл не записан. Для такого объема выберите файл CSV или TXT либо более короткий диапазон.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reference</name>
    <message>
        <source>Версия программы:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Название программы:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дата обновления:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Справка</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
