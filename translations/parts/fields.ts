<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Quillet::ColumnChooser</name>
    <message>
        <source>Связь со столбцом</source>
        <translation>Link to a column</translation>
    </message>
    <message>
        <source>Строка листа «%1»</source>
        <translation>Row of sheet “%1”</translation>
    </message>
    <message>
        <source>Столбец листа «%1»</source>
        <translation>Column of sheet “%1”</translation>
    </message>
    <message>
        <source>Поле возьмёт значения из выбранной строки: по одному на страницу, от первого столбца с данными до последнего.</source>
        <translation>The field takes its values from the chosen row: one per page, from the first column with data to the last.</translation>
    </message>
    <message>
        <source>Поле возьмёт значения из выбранного столбца: по одному на страницу, от первой строки с данными до последней.</source>
        <translation>The field takes its values from the chosen column: one per page, from the first row with data to the last.</translation>
    </message>
    <message>
        <source>Выбрать</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Quillet::CoordsPanel</name>
    <message>
        <source>Координаты блока</source>
        <translation>Block coordinates</translation>
    </message>
    <message>
        <source>Множитель</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>Ширина блока × множетель</source>
        <translation>Block width × factor</translation>
    </message>
    <message>
        <source>Умножить ширину блока на множитель</source>
        <translation>Multiply the block width by the factor</translation>
    </message>
    <message>
        <source>Высота блока × множетель</source>
        <translation>Block height × factor</translation>
    </message>
    <message>
        <source>Умножить высоту блока на множитель</source>
        <translation>Multiply the block height by the factor</translation>
    </message>
    <message>
        <source>мм</source>
        <translation>mm</translation>
    </message>
</context>
<context>
    <name>Quillet::DividePanel</name>
    <message>
        <source>Разбить блок на части</source>
        <translation>Divide the block</translation>
    </message>
    <message>
        <source>Число колонок</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Число строк</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>Столько блоков, сколько знаков</source>
        <translation>One block per character</translation>
    </message>
    <message>
        <source>Одна колонка на каждый знак значения поля на этой странице (для поля «по одному знаку в блок»)</source>
        <translation>One column for each character of the field value on this page (for a “one character per block” field)</translation>
    </message>
</context>
<context>
    <name>Quillet::EditingArea</name>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Применить изменения</source>
        <translation>Apply the changes</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Отменить изменения</source>
        <translation>Discard the changes</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldsPanel</name>
    <message>
        <source>Поля и блоки</source>
        <translation>Fields and blocks</translation>
    </message>
    <message>
        <source>Создать текстовое поле</source>
        <translation>New text field</translation>
    </message>
    <message>
        <source>Создать графическое поле</source>
        <translation>New image field</translation>
    </message>
    <message>
        <source>Создать фигурное поле</source>
        <translation>New shape field</translation>
    </message>
    <message>
        <source>Структура полей</source>
        <translation>Field structure</translation>
    </message>
    <message>
        <source>Список зависимостей</source>
        <translation>Relations</translation>
    </message>
    <message>
        <source>Снять выделения с блоков</source>
        <translation>Deselect all blocks</translation>
    </message>
    <message>
        <source>Выделить все блоки</source>
        <translation>Select all blocks</translation>
    </message>
    <message>
        <source>Удалить выделенные блоки</source>
        <translation>Delete the selected blocks</translation>
    </message>
    <message>
        <source>Перенести выделенные блоки в текущую позицию</source>
        <translation>Move the selected blocks to the current position</translation>
    </message>
    <message>
        <source>Выровнять выделенные блоки по текущему</source>
        <translation>Align the selected blocks with the current one</translation>
    </message>
    <message>
        <source>Выровнять левые края по текущему блоку</source>
        <translation>Align left edges with the current block</translation>
    </message>
    <message>
        <source>Выровнять верхние края по текущему блоку</source>
        <translation>Align top edges with the current block</translation>
    </message>
    <message>
        <source>Выровнять правые края по текущему блоку</source>
        <translation>Align right edges with the current block</translation>
    </message>
    <message>
        <source>Выровнять нижние края по текущему блоку</source>
        <translation>Align bottom edges with the current block</translation>
    </message>
    <message>
        <source>Выделенные блоки центрировать по текущему</source>
        <translation>Centre the selected blocks on the current one</translation>
    </message>
    <message>
        <source>Клонирование блока (поля)</source>
        <translation>Clone the block (field)</translation>
    </message>
    <message>
        <source>Объединить выделенные блоки</source>
        <translation>Merge the selected blocks</translation>
    </message>
    <message>
        <source>Разбить текущий блок</source>
        <translation>Divide the current block</translation>
    </message>
    <message>
        <source>Настроить автозамену</source>
        <translation>Set up auto-replace</translation>
    </message>
    <message>
        <source>Изменение позиции для выделенных блоков</source>
        <translation>Move the selected blocks</translation>
    </message>
    <message>
        <source>По вертикали 
(выше/ниже)</source>
        <translation>Vertically
(up/down)</translation>
    </message>
    <message>
        <source>Выше</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки выше</source>
        <translation>Move the selected blocks up</translation>
    </message>
    <message>
        <source>Ниже</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки ниже</source>
        <translation>Move the selected blocks down</translation>
    </message>
    <message>
        <source>По горизонтали
 (левее/правее)</source>
        <translation>Horizontally
(left/right)</translation>
    </message>
    <message>
        <source>Левее</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки левее</source>
        <translation>Move the selected blocks left</translation>
    </message>
    <message>
        <source>Правее</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Сдвинуть выделенные блоки правее</source>
        <translation>Move the selected blocks right</translation>
    </message>
    <message>
        <source>Шаг смещения</source>
        <translation>Step size</translation>
    </message>
    <message>
        <source> мм</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Шаг:</source>
        <translation>Step:</translation>
    </message>
    <message>
        <source>Изменение размера для выделенных блоков</source>
        <translation>Resize the selected blocks</translation>
    </message>
    <message>
        <source>По горизонтали (короче/длиннее)</source>
        <translation>Width (narrower/wider)</translation>
    </message>
    <message>
        <source>Короче</source>
        <translation>Narrower</translation>
    </message>
    <message>
        <source>Уменьшить ширину выделенных блоков</source>
        <translation>Make the selected blocks narrower</translation>
    </message>
    <message>
        <source>Длиннее</source>
        <translation>Wider</translation>
    </message>
    <message>
        <source>Увеличить ширину выделенных блоков</source>
        <translation>Make the selected blocks wider</translation>
    </message>
    <message>
        <source>По вертикали (yже/шире)</source>
        <translation>Height (shorter/taller)</translation>
    </message>
    <message>
        <source>Уже</source>
        <translation>Shorter</translation>
    </message>
    <message>
        <source>Уменьшить высоту выделенных блоков</source>
        <translation>Make the selected blocks shorter</translation>
    </message>
    <message>
        <source>Шире</source>
        <translation>Taller</translation>
    </message>
    <message>
        <source>Увеличить высоту выделенных блоков</source>
        <translation>Make the selected blocks taller</translation>
    </message>
    <message>
        <source>Связать выделенные поля</source>
        <translation>Link the selected fields</translation>
    </message>
    <message>
        <source>Выделенные поля убрать из связей</source>
        <translation>Unlink the selected fields</translation>
    </message>
    <message>
        <source>Удалить выделенную связь</source>
        <translation>Delete the selected relation</translation>
    </message>
    <message>
        <source>Очистить список связей</source>
        <translation>Clear the relation list</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>Quillet::ImageFieldPanel</name>
    <message>
        <source>Настройка поля изображения</source>
        <translation>Image field settings</translation>
    </message>
    <message>
        <source>Файл картинки</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>Выбрать файл картинки</source>
        <translation>Choose a picture file</translation>
    </message>
    <message>
        <source>Цвет фона
для поля</source>
        <translation>Field
background</translation>
    </message>
    <message>
        <source>Цвет фона
прозрачный</source>
        <translation>Transparent
background</translation>
    </message>
    <message>
        <source>Растягивать
(иначе оставить свой размер)</source>
        <translation>Stretch
(else keep its own size)</translation>
    </message>
    <message>
        <source>Обрезать в размер блока</source>
        <translation>Crop to the block size</translation>
    </message>
    <message>
        <source>Сохранять пропорции</source>
        <translation>Keep proportions</translation>
    </message>
    <message>
        <source>Картинка в центре блока
(иначе в верхнем левом углу)</source>
        <translation>Picture in the block centre
(else in the top left corner)</translation>
    </message>
    <message>
        <source>Прозрачный цвет</source>
        <translation>Transparent colour</translation>
    </message>
    <message>
        <source>Без прозрачности</source>
        <translation>No transparency</translation>
    </message>
    <message>
        <source>цвет по координатам</source>
        <translation>colour at a point</translation>
    </message>
    <message>
        <source>выбрать цвет</source>
        <translation>choose a colour</translation>
    </message>
    <message>
        <source>Копирование</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Затемнение (And) </source>
        <translation>Darken (And) </translation>
    </message>
    <message>
        <source>Осветление (Or)</source>
        <translation>Lighten (Or)</translation>
    </message>
    <message>
        <source>Инверсия (Xor)</source>
        <translation>Invert (Xor)</translation>
    </message>
    <message>
        <source>Наложение:</source>
        <translation>Blending:</translation>
    </message>
    <message>
        <source>Видимость: 0</source>
        <translation>Opacity: 0</translation>
    </message>
    <message>
        <source>Картинка для поля</source>
        <translation>Picture for the field</translation>
    </message>
</context>
<context>
    <name>Quillet::ReplacePanel</name>
    <message>
        <source>Файлы автозамены (*.arl)</source>
        <translation>Auto-replace files (*.arl)</translation>
    </message>
    <message>
        <source>Автозамена</source>
        <translation>Auto-replace</translation>
    </message>
    <message>
        <source>Настройка автозамены</source>
        <translation>Auto-replace settings</translation>
    </message>
    <message>
        <source>Что заменяем</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Чем заменяем</source>
        <translation>With</translation>
    </message>
    <message>
        <source>Добавить автозамену</source>
        <translation>Add a replacement</translation>
    </message>
    <message>
        <source>Удалить выделенную автозамену</source>
        <translation>Delete the selected replacement</translation>
    </message>
    <message>
        <source>Очистить список автозамен</source>
        <translation>Clear the replacement list</translation>
    </message>
    <message>
        <source>Открыть файл автозамен</source>
        <translation>Open an auto-replace file</translation>
    </message>
    <message>
        <source>Дополнить автозамены из файла</source>
        <translation>Add replacements from a file</translation>
    </message>
    <message>
        <source>Сохранить автозамены в файл</source>
        <translation>Save the replacements to a file</translation>
    </message>
    <message>
        <source>Что заменяем ...</source>
        <translation>Text to replace ...</translation>
    </message>
    <message>
        <source>чем заменяем ...</source>
        <translation>replace it with ...</translation>
    </message>
</context>
<context>
    <name>Quillet::ShapePanel</name>
    <message>
        <source> Добавление фигуры </source>
        <translation> Shape </translation>
    </message>
    <message>
        <source>Образец</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Линия по верхнему краю</source>
        <translation>Line along the top edge</translation>
    </message>
    <message>
        <source>Линия по нижнему краю</source>
        <translation>Line along the bottom edge</translation>
    </message>
    <message>
        <source>Линия по левому краю</source>
        <translation>Line along the left edge</translation>
    </message>
    <message>
        <source>Линия по правому краю</source>
        <translation>Line along the right edge</translation>
    </message>
    <message>
        <source>Диагональ сверху вниз</source>
        <translation>Diagonal from top down</translation>
    </message>
    <message>
        <source>Диагональ снизу вверх</source>
        <translation>Diagonal from bottom up</translation>
    </message>
    <message>
        <source>Радиус скругления (мм): </source>
        <translation>Corner radius (mm): </translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Описание дуги в градусах.</source>
        <translation>The arc in degrees.</translation>
    </message>
    <message>
        <source>Если начало=конец, то рисуем круг.</source>
        <translation>If start = end, a full ellipse is drawn.</translation>
    </message>
    <message>
        <source>Линия</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Прямоугольник</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Скругленный</source>
        <translation>Rounded</translation>
    </message>
    <message>
        <source>Круг</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Настройка линии</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Толщина(мм): </source>
        <translation>Width (mm): </translation>
    </message>
    <message>
        <source>Сплошная</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>Без линии</source>
        <translation>No line</translation>
    </message>
    <message>
        <source>Штриховая</source>
        <translation>Dashed</translation>
    </message>
    <message>
        <source>Штрихпунктирная</source>
        <translation>Dash-dot</translation>
    </message>
    <message>
        <source>Пунктирная</source>
        <translation>Dotted</translation>
    </message>
    <message>
        <source>Сплошная линия</source>
        <translation>Solid line</translation>
    </message>
    <message>
        <source>Штриховая линия</source>
        <translation>Dashed line</translation>
    </message>
    <message>
        <source>Штрихпунктирная линия</source>
        <translation>Dash-dot line</translation>
    </message>
    <message>
        <source>Пунктирная линия</source>
        <translation>Dotted line</translation>
    </message>
    <message>
        <source>Форма линии: </source>
        <translation>Line style: </translation>
    </message>
    <message>
        <source>Цвет линии</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <source>Цвет: </source>
        <translation>Colour: </translation>
    </message>
    <message>
        <source>Настройка заливки (если возможно)</source>
        <translation>Fill (where possible)</translation>
    </message>
    <message>
        <source>Без заливки</source>
        <translation>No fill</translation>
    </message>
    <message>
        <source>Косая штриховка /</source>
        <translation>Diagonal hatch /</translation>
    </message>
    <message>
        <source>Косая штриховка \</source>
        <translation>Diagonal hatch \</translation>
    </message>
    <message>
        <source>Вертикальная</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Горизонтальная</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Клетка</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>Косая клетка</source>
        <translation>Diagonal cross</translation>
    </message>
    <message>
        <source>Сплошная заливка</source>
        <translation>Solid fill</translation>
    </message>
    <message>
        <source>Заливка косой штриховкой /</source>
        <translation>Diagonal hatch fill /</translation>
    </message>
    <message>
        <source>Заливка косой штриховкой \</source>
        <translation>Diagonal hatch fill \</translation>
    </message>
    <message>
        <source>Заливка вертикальной штриховкой</source>
        <translation>Vertical hatch fill</translation>
    </message>
    <message>
        <source>Заливка горизонтальной штриховкой</source>
        <translation>Horizontal hatch fill</translation>
    </message>
    <message>
        <source>Заливка клеткой</source>
        <translation>Cross hatch fill</translation>
    </message>
    <message>
        <source>Заливка косой клеткой</source>
        <translation>Diagonal cross hatch fill</translation>
    </message>
    <message>
        <source>Форма заликви: </source>
        <translation>Fill style: </translation>
    </message>
    <message>
        <source>Цвет заливки</source>
        <translation>Fill colour</translation>
    </message>
</context>
<context>
    <name>Quillet::SpellDialog</name>
    <message>
        <source>Орфография</source>
        <translation>Spelling</translation>
    </message>
    <message>
        <source>Не найден ни один словарь для проверки орфографии.
Установите словари Hunspell (например, пакеты hunspell-ru и hunspell-en-us) и повторите проверку.</source>
        <translation>No spelling dictionary was found.
Install Hunspell dictionaries (for example the packages hunspell-ru and hunspell-en-us) and check again.</translation>
    </message>
    <message>
        <source>Словарь:</source>
        <translation>Dictionary:</translation>
    </message>
    <message>
        <source>Пропустить</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>Пропустить все</source>
        <translation>Ignore all</translation>
    </message>
    <message>
        <source>Добавить в словарь</source>
        <translation>Add to dictionary</translation>
    </message>
    <message>
        <source>Заменить на:</source>
        <translation>Replace with:</translation>
    </message>
    <message>
        <source>Варианты:</source>
        <translation>Suggestions:</translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Заменить все</source>
        <translation>Replace all</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Нет в словаре:</source>
        <translation>Not in dictionary:</translation>
    </message>
    <message>
        <source>Проверка завершена.</source>
        <translation>The check is complete.</translation>
    </message>
    <message>
        <source>Словарь не загружен.</source>
        <translation>No dictionary loaded.</translation>
    </message>
</context>
<context>
    <name>Quillet::TextFieldPanel</name>
    <message>
        <source>Настройки текстового поля</source>
        <translation>Text field settings</translation>
    </message>
    <message>
        <source>Текст или =A2:A31 — ссылка на ячейки</source>
        <translation>Text, or =A2:A31 for a range of cells</translation>
    </message>
    <message>
        <source>Столбец…</source>
        <translation>Column…</translation>
    </message>
    <message>
        <source>Связать поле со столбцом листа: вписать ссылку на его ячейки</source>
        <translation>Link the field to a sheet column: write in a reference to its cells</translation>
    </message>
    <message>
        <source>Проверка орфографии</source>
        <translation>Check spelling</translation>
    </message>
    <message>
        <source>Применять к этому полю автозамену</source>
        <translation>Apply auto-replace to this field</translation>
    </message>
    <message>
        <source>Макс. число блоков на элемент поля (0-не ограничивать)</source>
        <translation>Max. blocks per field item (0 = no limit)</translation>
    </message>
    <message>
        <source>По одному знаку в блок</source>
        <translation>One character per block</translation>
    </message>
    <message>
        <source>Каждый знак значения — в свой блок, как в клетках бланка</source>
        <translation>Each character of the value in a block of its own, like the boxes of a form</translation>
    </message>
    <message>
        <source>Знаки, которым не нужна клетка, например точки даты между напечатанными точками</source>
        <translation>Characters that need no box, such as the dots of a date between dots printed on the form</translation>
    </message>
    <message>
        <source>Пропускать знаки:</source>
        <translation>Skip characters:</translation>
    </message>
    <message>
        <source>Прочерк в пустых клетках</source>
        <translation>Dash in empty boxes</translation>
    </message>
    <message>
        <source>Выравнивание для блоков</source>
        <translation>Block alignment</translation>
    </message>
    <message>
        <source>первый</source>
        <translation>first</translation>
    </message>
    <message>
        <source>основной</source>
        <translation>middle</translation>
    </message>
    <message>
        <source>последний</source>
        <translation>last</translation>
    </message>
    <message>
        <source>По левому краю</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>По центру</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>По правому краю</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>По верхнему краю</source>
        <translation>Align top</translation>
    </message>
    <message>
        <source>По середине</source>
        <translation>Align middle</translation>
    </message>
    <message>
        <source>По нижнему краю</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>Заполняем поле сверху вниз</source>
        <translation>Fill the field from the top down</translation>
    </message>
    <message>
        <source>Заполняем поле снизу вверх</source>
        <translation>Fill the field from the bottom up</translation>
    </message>
    <message>
        <source>Выравнивание относительно зависимых полей</source>
        <translation>Alignment relative to linked fields</translation>
    </message>
    <message>
        <source>Цвет фона прозрачный</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source> Цвет фона для поля</source>
        <translation> Field background</translation>
    </message>
    <message>
        <source> Цвет текста</source>
        <translation> Text colour</translation>
    </message>
    <message>
        <source>Полужирный</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Наклонный</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Подчеркнутый</source>
        <translation>Underlined</translation>
    </message>
    <message>
        <source>Размер шрифта:</source>
        <translation>Font size:</translation>
    </message>
</context>
</TS>
