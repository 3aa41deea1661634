<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
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
        <source> min</source>
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
        <source> day</source>
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
        <source> sec</source>
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
        <source>UART bautrate:</source>
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
        <source>Верх. зн-е д.</source>
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
        <source> day</source>
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
        <source> min</source>
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
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка обмена данными</source>
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
        <source> , устройство Qiro T2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> , устройство Qiro T6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> , устройство Qiro T6 Mini</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> , устройство Qiro T6Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Успешное подключение Qiro T6Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> , устройство Bootloader</source>
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
        <source>Ошибка обмена данными</source>
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
        <source>Обновление прошивки этой версией программы не поддерживается</source>
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
        <source>Апаратная версия:</source>
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
