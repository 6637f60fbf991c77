<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Quillet::BlockDivision</name>
    <message>
        <source>Значение поля пусто: число колонок не изменено.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В значении %1 нет знаков, кроме пропускаемых: число колонок не изменено.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Знаков в значении %1 — %2, колонок может быть не больше %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Колонок %1 — по знакам %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::CoordsPanel</name>
    <message>
        <source>Умножить ширину блока на множитель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Умножить высоту блока на множитель</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::DividePanel</name>
    <message>
        <source>Столько блоков, сколько знаков</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Одна колонка на каждый знак значения поля на этой странице (для поля «по одному знаку в блок»)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::ExampleProject</name>
    <message>
        <source>Quillet — пример</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пример не найден: в папке %1 нет файла %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось создать папку %1 для копии примера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось заменить файл %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удалось скопировать пример в %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::FieldEditor</name>
    <message>
        <source>Блоки по числу знаков — только для текстового поля.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::FieldTreeTexts</name>
    <message>
        <source>x %1 y %2 — %3 × %4 мм</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текст</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>гребёнка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Картинка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия — верх</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия — низ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия — лево</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия — право</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия — диагональ \</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия — диагональ /</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прямоугольник</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скругленный прямоугольник</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Круг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дуга %1–%2°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фигура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(пустой узел)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::FieldsPanel</name>
    <message>
        <source>Выровнять левые края по текущему блоку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выровнять верхние края по текущему блоку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выровнять правые края по текущему блоку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выровнять нижние края по текущему блоку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки выше</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки ниже</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки левее</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки правее</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уменьшить ширину выделенных блоков</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Увеличить ширину выделенных блоков</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уменьшить высоту выделенных блоков</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Увеличить высоту выделенных блоков</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::GuideWindow</name>
    <message>
        <source>Руководство — Quillet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::ProjectPanel</name>
    <message>
        <source>Пример не найден: он не установлен вместе с программой.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пример</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В папке «%1» уже есть копия примера, возможно, с вашими изменениями. Заменить её копией исходного примера?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть прежнюю</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::SettingsColumn</name>
    <message>
        <source>Руководство ( F1 )</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::ShapePanel</name>
    <message>
        <source>Сплошная линия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Без линии</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Штриховая линия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Штрихпунктирная линия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пунктирная линия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сплошная заливка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Без заливки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливка косой штриховкой /</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливка косой штриховкой \</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливка вертикальной штриховкой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливка горизонтальной штриховкой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливка клеткой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливка косой клеткой</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::StartPage</name>
    <message>
        <source>Начало работы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создайте проект бланка, откройте сохранённый или начните с примера: квитанции, которая заполняется из таблицы.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый проект: сначала выберите, где его сохранить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть файл проекта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть пример</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Недавние проекты:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Здесь появятся проекты, которые вы сохраните.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Руководство по работе с программой — кнопка «?» над настройками или клавиша F1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скопировать пример в папку документов и открыть копию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пример не установлен вместе с программой</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::TextFieldPanel</name>
    <message>
        <source>По одному знаку в блок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каждый знак значения — в свой блок, как в клетках бланка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Знаки, которым не нужна клетка, например точки даты между напечатанными точками</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пропускать знаки:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прочерк в пустых клетках</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quillet::WorkbookPanel</name>
    <message>
        <source>Показать файл</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
