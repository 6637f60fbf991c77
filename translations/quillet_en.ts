<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>Quillet</name>
    <message>
        <source>Число частей должно быть от 1 до %1</source>
        <translation>The number of shards must be from 1 to %1</translation>
    </message>
    <message>
        <source>Часть %1 не входит в число частей %2</source>
        <translation>Shard %1 is not among %2 shards</translation>
    </message>
    <message>
        <source>Часть задаётся как НОМЕР/ЧИСЛО, например 2/16: %1</source>
        <translation>A shard is given as INDEX/COUNT, such as 2/16: %1</translation>
    </message>
    <message>
        <source>Переменная %1 — не число: %2</source>
        <translation>Variable %1 is not a number: %2</translation>
    </message>
    <message>
        <source>Slurm не сообщил размер массива задач: нужен --shards N</source>
        <translation>Slurm did not tell the size of the job array: --shards N is needed</translation>
    </message>
    <message>
        <source>Номер задачи Slurm %1 не входит в массив задач</source>
        <translation>Slurm task %1 is not in the job array</translation>
    </message>
    <message>
        <source>Kubernetes не сообщает число частей: нужен --shards N</source>
        <translation>Kubernetes does not tell the number of shards: --shards N is needed</translation>
    </message>
    <message>
        <source>Не найден номер задачи: нет ни SLURM_ARRAY_TASK_ID, ни JOB_COMPLETION_INDEX</source>
        <translation>No task index found: neither SLURM_ARRAY_TASK_ID nor JOB_COMPLETION_INDEX is set</translation>
    </message>
</context>
<context>
    <name>Quillet::AdvertPanel</name>
    <message>
        <source>Рекламная пауза (не переключайтесь :-))</source>
        <translation>Commercial break (stay tuned :-))</translation>
    </message>
    <message>
        <source>Реклама скроется через: </source>
        <translation>The ad closes in: </translation>
    </message>
    <message>
        <source>%v сек.</source>
        <translation>%v s</translation>
    </message>
</context>
<context>
    <name>Quillet::AnglePanel</name>
    <message>
        <source>Настройка угла разворота подложки</source>
        <translation>Background rotation angle</translation>
    </message>
    <message>
        <source>точка_1(Х)</source>
        <translation>Point 1 (X)</translation>
    </message>
    <message>
        <source>точка_1(Y)</source>
        <translation>Point 1 (Y)</translation>
    </message>
    <message>
        <source>точка_2(X)</source>
        <translation>Point 2 (X)</translation>
    </message>
    <message>
        <source>точка_2(Y)</source>
        <translation>Point 2 (Y)</translation>
    </message>
    <message>
        <source>угол</source>
        <translation>Angle</translation>
    </message>
</context>
<context>
    <name>Quillet::AutoReplace</name>
    <message>
        <source>Автозамена %1 содержит перевод строки, а каждая её часть должна быть одной строкой.</source>
        <translation>Auto-replace %1 contains a line break, but each of its parts must be a single line.</translation>
    </message>
    <message>
        <source>Файл автозамены не открыт для чтения.</source>
        <translation>The auto-replace file is not open for reading.</translation>
    </message>
    <message>
        <source>Файл автозамены не читается: %1</source>
        <translation>The auto-replace file cannot be read: %1</translation>
    </message>
    <message>
        <source>Файл автозамены больше %1 МБ: это не список автозамен.</source>
        <translation>The auto-replace file is larger than %1 MB: it is not an auto-replace list.</translation>
    </message>
    <message>
        <source>Не удаётся открыть файл автозамены %1: %2</source>
        <translation>Cannot open the auto-replace file %1: %2</translation>
    </message>
    <message>
        <source>это папка</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>Автозамена %1: символ %2 нельзя сохранить в файле автозамены (Windows-1251). Замените его и сохраните снова; файл не записан.</source>
        <translation>Auto-replace %1: character %2 cannot be saved in the auto-replace file (Windows-1251). Replace it and save again; the file was not written.</translation>
    </message>
    <message>
        <source>Не удаётся записать файл автозамены %1: %2</source>
        <translation>Cannot write the auto-replace file %1: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::Background</name>
    <message>
        <source>Ширина подложки вне допустимого диапазона.</source>
        <translation>The background width is out of range.</translation>
    </message>
    <message>
        <source>Высота подложки вне допустимого диапазона.</source>
        <translation>The background height is out of range.</translation>
    </message>
    <message>
        <source>Отступ подложки вне допустимого диапазона.</source>
        <translation>The background margin is out of range.</translation>
    </message>
    <message>
        <source>Недопустимое разрешение для подложки.</source>
        <translation>Invalid resolution for the background.</translation>
    </message>
    <message>
        <source>Угол поворота подложки вне допустимого диапазона.</source>
        <translation>The background rotation angle is out of range.</translation>
    </message>
    <message>
        <source>Подложка слишком велика для обработки.</source>
        <translation>The background is too large to process.</translation>
    </message>
    <message>
        <source>Подложка слишком велика для масштабирования.</source>
        <translation>The background is too large to scale.</translation>
    </message>
    <message>
        <source>Не удаётся декодировать изображение подложки.</source>
        <translation>Cannot decode the background image.</translation>
    </message>
</context>
<context>
    <name>Quillet::BackgroundPanel</name>
    <message>
        <source>Источник подложки</source>
        <translation>Background source</translation>
    </message>
    <message>
        <source>Инверсия</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Удалить подложку</source>
        <translation>Remove the background</translation>
    </message>
    <message>
        <source>Размер подложки (мм)</source>
        <translation>Background size (mm)</translation>
    </message>
    <message>
        <source>Сохронять пропорции</source>
        <translation>Keep proportions</translation>
    </message>
    <message>
        <source>Ширина</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Высота</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Позиция подложки</source>
        <translation>Background position</translation>
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
        <translation>Middle</translation>
    </message>
    <message>
        <source>По нижнему краю</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>Горизонтальное выравнивание</source>
        <translation>Horizontal alignment</translation>
    </message>
    <message>
        <source>Вертикальное выравнивание</source>
        <translation>Vertical alignment</translation>
    </message>
    <message>
        <source>Отступ (обрезание, если &lt;0) подложки (мм)</source>
        <translation>Background margins (cropping if &lt;0) (mm)</translation>
    </message>
    <message>
        <source>Сверху</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Снизу</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Слева</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Справа</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Влиять на размер подложки</source>
        <translation>Affect the background size</translation>
    </message>
    <message>
        <source>Угол поворота (градусах)</source>
        <translation>Rotation angle (degrees)</translation>
    </message>
    <message>
        <source>Подробная настройка</source>
        <translation>Fine-tune</translation>
    </message>
</context>
<context>
    <name>Quillet::BackgroundSettings</name>
    <message>
        <source>Не удаётся декодировать изображение подложки.</source>
        <translation>Cannot decode the background image.</translation>
    </message>
    <message>
        <source>Не удаётся сохранить инвертированную подложку.</source>
        <translation>Cannot save the inverted background.</translation>
    </message>
</context>
<context>
    <name>Quillet::BackgroundSources</name>
    <message>
        <source>Изображения (%1)</source>
        <translation>Images (%1)</translation>
    </message>
    <message>
        <source>Документы (%1)</source>
        <translation>Documents (%1)</translation>
    </message>
    <message>
        <source>Все (%1)</source>
        <translation>All files (%1)</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Подложка из картинки, PDF или документа</source>
        <translation>Background from a picture, PDF or document</translation>
    </message>
    <message>
        <source>Буфер</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Подложка из картинки в буфере обмена</source>
        <translation>Background from a picture on the clipboard</translation>
    </message>
    <message>
        <source>Сканер</source>
        <translation>Scanner</translation>
    </message>
    <message>
        <source>Отсканировать подложку</source>
        <translation>Scan the background</translation>
    </message>
    <message>
        <source>Подложка из файла</source>
        <translation>Background from a File</translation>
    </message>
    <message>
        <source>Файл не найден: %1</source>
        <translation>File not found: %1</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>В буфере обмена нет картинки: скопируйте картинку или файл с ней и нажмите «Буфер» снова.</source>
        <translation>There is no picture on the clipboard: copy a picture or a file with one and click “Paste” again.</translation>
    </message>
</context>
<context>
    <name>Quillet::BlockDivision</name>
    <message>
        <source>Число %1 должно быть от %2 до %3, а не %4.</source>
        <translation>The number of %1 must be from %2 to %3, not %4.</translation>
    </message>
    <message>
        <source>колонок</source>
        <translation>columns</translation>
    </message>
    <message>
        <source>строк</source>
        <translation>rows</translation>
    </message>
    <message>
        <source>Значение поля пусто: число колонок не изменено.</source>
        <translation>The field value is empty: the number of columns is unchanged.</translation>
    </message>
    <message>
        <source>В значении %1 нет знаков, кроме пропускаемых: число колонок не изменено.</source>
        <translation>The value %1 has no characters other than skipped ones: the number of columns is unchanged.</translation>
    </message>
    <message>
        <source>Знаков в значении %1 — %2, колонок может быть не больше %3.</source>
        <translation>The value %1 has %2 characters; there can be at most %3 columns.</translation>
    </message>
    <message>
        <source>Колонок %1 — по знакам %2.</source>
        <translation>%1 columns — one per character of %2.</translation>
    </message>
</context>
<context>
    <name>Quillet::BlockOperations</name>
    <message>
        <source>Блок «%1» поля %2 оставлен как есть: он вышел бы за пределы страницы.</source>
        <translation>Block «%1» of field %2 was left as it was: it would go beyond the page.</translation>
    </message>
    <message>
        <source>Блоков оставлено как есть: %1 — они вышли бы за пределы страницы.</source>
        <translation>Blocks left as they were: %1 — they would go beyond the page.</translation>
    </message>
</context>
<context>
    <name>Quillet::Calibration</name>
    <message>
        <source>%1 (%2; %3 мм)</source>
        <translation>%1 (%2; %3 mm)</translation>
    </message>
    <message>
        <source>Калибровочная страница</source>
        <translation>Calibration page</translation>
    </message>
    <message>
        <source>Принтер: %1</source>
        <translation>Printer: %1</translation>
    </message>
    <message>
        <source>Разрешение: %1 × %2 точек на дюйм</source>
        <translation>Resolution: %1 × %2 dots per inch</translation>
    </message>
    <message>
        <source>Ориентация листа: книжная</source>
        <translation>Sheet orientation: portrait</translation>
    </message>
    <message>
        <source>Ориентация листа: альбомная</source>
        <translation>Sheet orientation: landscape</translation>
    </message>
    <message>
        <source>Держите лист так, чтобы этот текст читался.</source>
        <translation>Hold the sheet so that this text reads normally.</translation>
    </message>
    <message>
        <source>Измерьте линейкой расстояния от левого и от верхнего</source>
        <translation>With a ruler, measure the distances from the left and top</translation>
    </message>
    <message>
        <source>края листа до центров крестов A и B</source>
        <translation>edges of the sheet to the centres of crosses A and B</translation>
    </message>
    <message>
        <source>и введите их в окне калибровки.</source>
        <translation>and enter them in the calibration window.</translation>
    </message>
    <message>
        <source>Принтер «%1» сообщил недопустимое разрешение %2 × %3 точек на дюйм.</source>
        <translation>Printer «%1» reported an invalid resolution of %2 × %3 dots per inch.</translation>
    </message>
    <message>
        <source>Лист %1 × %2 мм слишком мал для калибровочной страницы: её кресты должны стоять в %3 мм от углов и не ближе %4 мм друг к другу, для этого нужен лист не меньше %5 × %5 мм.</source>
        <translation>A %1 × %2 mm sheet is too small for the calibration page: its crosses must stand %3 mm from the corners and at least %4 mm apart, which needs a sheet of at least %5 × %5 mm.</translation>
    </message>
    <message>
        <source>Крест %1 калибровочной страницы (%2; %3 мм) не попадает в область печати принтера «%4»: у него слишком широкие поля для листа %5 × %6 мм.</source>
        <translation>Cross %1 of the calibration page (%2; %3 mm) is outside the printable area of printer «%4»: its margins are too wide for a %5 × %6 mm sheet.</translation>
    </message>
    <message>
        <source>Измерения должны быть числами в миллиметрах.</source>
        <translation>The measurements must be numbers in millimetres.</translation>
    </message>
    <message>
        <source>Кресты калибровочной страницы должны отстоять друг от друга не меньше чем на %1 мм по каждой оси.</source>
        <translation>The crosses of the calibration page must be at least %1 mm apart on each axis.</translation>
    </message>
    <message>
        <source>Такие измерения не похожи на отпечаток принтера: масштаб должен быть от %1 до %2, а сдвиг — не больше %3 мм. Проверьте, что расстояния измерены от левого и верхнего краёв листа до центров крестов A и B.</source>
        <translation>These measurements do not look like a printout: the scale must be from %1 to %2 and the shift at most %3 mm. Check that the distances were measured from the left and top edges of the sheet to the centres of crosses A and B.</translation>
    </message>
</context>
<context>
    <name>Quillet::CalibrationDialog</name>
    <message>
        <source>%1 мм влево</source>
        <translation>%1 mm to the left</translation>
    </message>
    <message>
        <source>%1 мм вправо</source>
        <translation>%1 mm to the right</translation>
    </message>
    <message>
        <source>%1 мм вверх</source>
        <translation>%1 mm up</translation>
    </message>
    <message>
        <source>%1 мм вниз</source>
        <translation>%1 mm down</translation>
    </message>
    <message>
        <source>Принтер печатает точно, поправка не нужна.</source>
        <translation>The printer prints accurately; no correction is needed.</translation>
    </message>
    <message>
        <source>Принтер сдвигает печать на %1 и на %2; масштаб по горизонтали %3, по вертикали %4.</source>
        <translation>The printer shifts the print %1 and %2; horizontal scale %3, vertical scale %4.</translation>
    </message>
    <message>
        <source>книжной</source>
        <extracomment>Put into the explanation below as &quot;в %2 ориентации листа&quot; (in … orientation)</extracomment>
        <translation>portrait</translation>
    </message>
    <message>
        <source>альбомной</source>
        <extracomment>Put into the explanation below as &quot;в %2 ориентации листа&quot; (in … orientation)</extracomment>
        <translation>landscape</translation>
    </message>
    <message>
        <source>Калибровка принтера: книжная ориентация</source>
        <translation>Printer Calibration: Portrait</translation>
    </message>
    <message>
        <source>Калибровка принтера: альбомная ориентация</source>
        <translation>Printer Calibration: Landscape</translation>
    </message>
    <message>
        <source>&lt;b&gt;Поправка для книжной ориентации листа&lt;/b&gt;</source>
        <translation>&lt;b&gt;Correction for portrait orientation&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Поправка для альбомной ориентации листа&lt;/b&gt;</source>
        <translation>&lt;b&gt;Correction for landscape orientation&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Принтер «%1» напечатал калибровочную страницу с крестами A и B в %2 ориентации листа. Положите лист так, чтобы надписи на нём читались, и настоящей линейкой измерьте, на каком расстоянии от левого края листа и от верхнего края листа оказался центр каждого креста (точка пересечения его линий). Шкалы на самом листе для этого не годятся: принтер печатает их с той же ошибкой. Введите расстояния в миллиметрах: после сохранения программа будет исправлять эту ошибку при каждой печати на этом принтере в %2 ориентации.</source>
        <translation>Printer “%1” has printed a calibration page with crosses A and B in %2 orientation. Lay the sheet so that its text reads the right way up and, with a real ruler, measure how far the centre of each cross (where its lines meet) landed from the left edge and from the top edge of the sheet. The scales on the sheet itself will not do: the printer prints them with the same error. Enter the distances in millimetres: once they are saved, the program corrects this error in every print on this printer in %2 orientation.</translation>
    </message>
    <message>
        <source>от левого края, мм</source>
        <translation>from left edge, mm</translation>
    </message>
    <message>
        <source>от верхнего края, мм</source>
        <translation>from top edge, mm</translation>
    </message>
    <message>
        <source>Крест %1 (должен быть в %2; %3 мм):</source>
        <translation>Cross %1 (should be at %2; %3 mm):</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Забыть поправку для этой ориентации: принтер будет печатать в ней без поправки</source>
        <translation>Forget the correction for this orientation: the printer will print in it uncorrected</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сейчас для этого принтера в этой ориентации поправки нет.</source>
        <translation>No correction is stored for this printer in this orientation.</translation>
    </message>
    <message>
        <source>Сейчас сохранено: %1</source>
        <translation>Stored now: %1</translation>
    </message>
</context>
<context>
    <name>Quillet::Cli</name>
    <message>
        <source>Не удаётся записать файл %1: %2</source>
        <translation>Cannot write file %1: %2</translation>
    </message>
    <message>
        <source>Нужен ровно один файл проекта</source>
        <translation>Exactly one project file is needed</translation>
    </message>
    <message>
        <source>Не указан --out ФАЙЛ.png</source>
        <translation>--out FILE.png is not given</translation>
    </message>
    <message>
        <source>Не существует файла проекта: %1</source>
        <translation>Project file does not exist: %1</translation>
    </message>
    <message>
        <source>В проекте нет подложки: %1</source>
        <translation>The project has no background: %1</translation>
    </message>
    <message>
        <source>Размер подложки — 0 пикселей: %1</source>
        <translation>The background size is 0 pixels: %1</translation>
    </message>
    <message>
        <source>background ПРОЕКТ --out ФАЙЛ.png</source>
        <translation>background PROJECT --out FILE.png</translation>
    </message>
    <message>
        <source>--range должен иметь вид A1:C10, а не «%1»</source>
        <translation>--range must look like A1:C10, not «%1»</translation>
    </message>
    <message>
        <source>Нужна ровно одна КНИГА</source>
        <translation>Exactly one WORKBOOK is needed</translation>
    </message>
    <message>
        <source>Не указан --range</source>
        <translation>--range is not given</translation>
    </message>
    <message>
        <source>Нет указанного листа: %1</source>
        <translation>No such sheet: %1</translation>
    </message>
    <message>
        <source>cells КНИГА [--sheet ИМЯ] --range A1:C10</source>
        <translation>cells WORKBOOK [--sheet NAME] --range A1:C10</translation>
    </message>
    <message>
        <source>Не существует файла: %1</source>
        <translation>File does not exist: %1</translation>
    </message>
    <message>
        <source>Неверный номер страницы: %1</source>
        <translation>Invalid page number: %1</translation>
    </message>
    <message>
        <source>Не выбраны страницы</source>
        <translation>No pages selected</translation>
    </message>
    <message>
        <source>Неизвестный формат %1 (jpg, png или pdf)</source>
        <translation>Unknown format %1 (jpg, png or pdf)</translation>
    </message>
    <message>
        <source>Не указан --out ПРЕФИКС</source>
        <translation>--out PREFIX is not given</translation>
    </message>
    <message>
        <source>--jobs принимает число от 1 до 256</source>
        <translation>--jobs takes a number from 1 to 256</translation>
    </message>
    <message>
        <source>Файлов: %1 за %2 с</source>
        <translation>Files: %1 in %2 s</translation>
    </message>
    <message>
        <source>Неверное разрешение: %1 (от 1 до %2 dpi)</source>
        <translation>Invalid resolution: %1 (1 to %2 dpi)</translation>
    </message>
    <message>
        <source>Файл --out должен быть .png или .jpg: %1</source>
        <translation>The --out file must be .png or .jpg: %1</translation>
    </message>
    <message>
        <source>Не удаётся записать файл %1</source>
        <translation>Cannot write file %1</translation>
    </message>
    <message>
        <source>Нужен ровно один импортируемый файл</source>
        <translation>Exactly one file to import is needed</translation>
    </message>
    <message>
        <source>Нужен либо --count, либо --out ФАЙЛ.png|.jpg</source>
        <translation>Either --count or --out FILE.png|.jpg is needed</translation>
    </message>
    <message>
        <source>Нужны файл проекта и импортируемый файл</source>
        <translation>A project file and a file to import are needed</translation>
    </message>
    <message>
        <source>import ФАЙЛ [--page N] [--dpi D] --out КАРТИНКА.png|.jpg | import ФАЙЛ --count</source>
        <translation>import FILE [--page N] [--dpi D] --out IMAGE.png|.jpg | import FILE --count</translation>
    </message>
    <message>
        <source>set-background ПРОЕКТ ФАЙЛ [--page N]</source>
        <translation>set-background PROJECT FILE [--page N]</translation>
    </message>
    <message>
        <source>info ПРОЕКТ</source>
        <translation>info PROJECT</translation>
    </message>
    <message>
        <source>Использование: quillet-cli КОМАНДА [АРГУМЕНТЫ...]</source>
        <translation>Usage: quillet-cli COMMAND [ARGUMENTS...]</translation>
    </message>
    <message>
        <source>Параметр --%1 не принимает значения</source>
        <translation>Option --%1 takes no value</translation>
    </message>
    <message>
        <source>Параметру --%1 нужно значение</source>
        <translation>Option --%1 needs a value</translation>
    </message>
    <message>
        <source>Неизвестный параметр %1</source>
        <translation>Unknown option %1</translation>
    </message>
    <message>
        <source>Использование: quillet-cli %1</source>
        <translation>Usage: quillet-cli %1</translation>
    </message>
    <message>
        <source>quillet-cli %1: не хватает памяти</source>
        <translation>quillet-cli %1: out of memory</translation>
    </message>
    <message>
        <source>quillet-cli %1: внутренняя ошибка: %2</source>
        <translation>quillet-cli %1: internal error: %2</translation>
    </message>
    <message>
        <source>quillet-cli: неизвестная команда %1</source>
        <translation>quillet-cli: unknown command %1</translation>
    </message>
    <message>
        <source>--%1 принимает число от %2 до %3</source>
        <translation>--%1 takes a number from %2 to %3</translation>
    </message>
    <message>
        <source>принтеров нет</source>
        <translation>there are no printers</translation>
    </message>
    <message>
        <source>есть: %1</source>
        <translation>available: %1</translation>
    </message>
    <message>
        <source>Принтер по умолчанию не задан, укажите --printer (%1)</source>
        <translation>No default printer is set; give --printer (%1)</translation>
    </message>
    <message>
        <source>Нет принтера «%1» (%2)</source>
        <translation>No printer «%1» (%2)</translation>
    </message>
    <message>
        <source>Не указано имя принтера</source>
        <translation>No printer name given</translation>
    </message>
    <message>
        <source>Не указан файл для --output</source>
        <translation>No file given for --output</translation>
    </message>
    <message>
        <source>--printer и --output не указываются вместе</source>
        <translation>--printer and --output cannot be given together</translation>
    </message>
    <message>
        <source>--dpi задаётся только вместе с --output</source>
        <translation>--dpi is only given together with --output</translation>
    </message>
    <message>
        <source>%1 (заданий отправлено: %2)</source>
        <translation>%1 (jobs sent: %2)</translation>
    </message>
    <message>
        <source>печать: %1%</source>
        <translation>printing: %1%</translation>
    </message>
    <message>
        <source>Заданий: %1</source>
        <translation>Jobs: %1</translation>
    </message>
    <message>
        <source>print ПРОЕКТ [--printer ИМЯ] [--pages НАБОР] [--copies N] [--reverse] [--as-image] [--no-background] [--output ФАЙЛ.pdf [--dpi N]] [--workbook ПУТЬ] [--sheet ИМЯ]</source>
        <translation>print PROJECT [--printer NAME] [--pages SET] [--copies N] [--reverse] [--as-image] [--no-background] [--output FILE.pdf [--dpi N]] [--workbook PATH] [--sheet NAME]</translation>
    </message>
    <message>
        <source>Не указаны --page и --out</source>
        <translation>--page and --out are not given</translation>
    </message>
    <message>
        <source>render ПРОЕКТ --page N --out ФАЙЛ.png [--no-background] [--workbook ПУТЬ] [--sheet ИМЯ]</source>
        <translation>render PROJECT --page N --out FILE.png [--no-background] [--workbook PATH] [--sheet NAME]</translation>
    </message>
    <message>
        <source>Нужны имя выходного файла и хотя бы одна часть</source>
        <translation>An output file name and at least one part are needed</translation>
    </message>
    <message>
        <source>Сохранён файл %1, страниц: %2, частей: %3</source>
        <translation>Saved file %1, pages: %2, parts: %3</translation>
    </message>
    <message>
        <source>join-pdf ВЫХОД.pdf ЧАСТЬ.pdf...</source>
        <translation>join-pdf OUT.pdf PART.pdf...</translation>
    </message>
    <message>
        <source>--shards принимает число от 1 до %1</source>
        <translation>--shards takes a number from 1 to %1</translation>
    </message>
    <message>
        <source>--shards задаётся вместе с --shard auto</source>
        <translation>--shards goes with --shard auto</translation>
    </message>
    <message>
        <source>Части %1 из %2 не досталось страниц</source>
        <translation>Shard %1 of %2 got no pages</translation>
    </message>
    <message>
        <source>export ПРОЕКТ --out ПРЕФИКС [--pages НАБОР] [--no-background] [--reverse] [--jobs N] [--format jpg|png|pdf] [--workbook ПУТЬ] [--sheet ИМЯ] [--shard I/N | --shard auto [--shards N]] [--name ТЕКСТ] [--quiet]</source>
        <translation>export PROJECT --out PREFIX [--pages SET] [--no-background] [--reverse] [--jobs N] [--format jpg|png|pdf] [--workbook PATH] [--sheet NAME] [--shard I/N | --shard auto [--shards N]] [--name TEXT] [--quiet]</translation>
    </message>
</context>
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
    <name>Quillet::CombLayout</name>
    <message>
        <source>%1: поле %2: не поместились знаки «%3» (знаков %4, клеток %5)</source>
        <translation>%1: field %2: characters «%3» did not fit (%4 characters, %5 cells)</translation>
    </message>
    <message>
        <source>%1 :  не влез: %2</source>
        <translation>%1 :  did not fit: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::CompoundFile</name>
    <message>
        <source>цепочка DIFAT выходит за файл или зациклена</source>
        <translation>the DIFAT chain goes past the file or loops</translation>
    </message>
    <message>
        <source>секторов таблицы размещения больше, чем секторов</source>
        <translation>there are more allocation table sectors than sectors</translation>
    </message>
    <message>
        <source>сектор таблицы размещения вне файла</source>
        <translation>an allocation table sector lies outside the file</translation>
    </message>
    <message>
        <source>цепочка секторов нарушена</source>
        <translation>the sector chain is broken</translation>
    </message>
    <message>
        <source>запись каталога с испорченным именем</source>
        <translation>a directory entry has a damaged name</translation>
    </message>
    <message>
        <source>поток: цепочка секторов нарушена</source>
        <translation>stream: the sector chain is broken</translation>
    </message>
    <message>
        <source>поток короче своего размера</source>
        <translation>a stream is shorter than its size</translation>
    </message>
    <message>
        <source>это не составной документ Microsoft</source>
        <translation>this is not a Microsoft compound document</translation>
    </message>
    <message>
        <source>неподдерживаемый размер сектора</source>
        <translation>unsupported sector size</translation>
    </message>
    <message>
        <source>в файле нет секторов</source>
        <translation>the file has no sectors</translation>
    </message>
    <message>
        <source>каталог: </source>
        <translation>directory: </translation>
    </message>
    <message>
        <source>нет каталога</source>
        <translation>no directory</translation>
    </message>
    <message>
        <source>таблица мини-секторов: </source>
        <translation>mini-sector table: </translation>
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
    <name>Quillet::CsvReader</name>
    <message>
        <source>Файл %1 слишком велик для текстовой таблицы (больше %2 МБ)</source>
        <translation>File %1 is too large for a text table (more than %2 MB)</translation>
    </message>
    <message>
        <source>Не удаётся прочитать файл %1: %2</source>
        <translation>Cannot read file %1: %2</translation>
    </message>
    <message>
        <source>Не удаётся открыть файл %1: %2</source>
        <translation>Cannot open file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 не является текстовой таблицей: в нём есть двоичные данные</source>
        <translation>File %1 is not a text table: it contains binary data</translation>
    </message>
</context>
<context>
    <name>Quillet::CupsPrinterDevice</name>
    <message>
        <source>Принтер %1 недоступен</source>
        <translation>Printer %1 is not available</translation>
    </message>
    <message>
        <source>Принтер %1 не сообщает размер бумаги</source>
        <translation>Printer %1 does not report its paper size</translation>
    </message>
    <message>
        <source>Не удаётся начать печать на принтере %1</source>
        <translation>Cannot start printing on printer %1</translation>
    </message>
    <message>
        <source>Принтер %1 не принял задание «%2»</source>
        <translation>Printer %1 did not accept job «%2»</translation>
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
    <name>Quillet::DocumentImport</name>
    <message>
        <source>Не удаётся прочитать PDF %1: файл повреждён или это не PDF</source>
        <translation>Cannot read PDF %1: the file is damaged or not a PDF</translation>
    </message>
    <message>
        <source>PDF %1 защищён паролем</source>
        <translation>PDF %1 is password-protected</translation>
    </message>
    <message>
        <source>Не удаётся прочитать страницу %1 изображения %2</source>
        <translation>Cannot read page %1 of image %2</translation>
    </message>
    <message>
        <source>Не удаётся сжать страницу в JPEG</source>
        <translation>Cannot compress the page to JPEG</translation>
    </message>
    <message>
        <source>Не удаётся прочитать страницу %1 документа %2</source>
        <translation>Cannot read page %1 of document %2</translation>
    </message>
    <message>
        <source>Страница %1 документа %2 слишком велика для %3 точек на дюйм</source>
        <translation>Page %1 of document %2 is too large for %3 dots per inch</translation>
    </message>
    <message>
        <source>Не удаётся отрисовать страницу %1 документа %2</source>
        <translation>Cannot draw page %1 of document %2</translation>
    </message>
    <message>
        <source>Не удаётся открыть файл %1</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Файл пуст: %1</source>
        <translation>The file is empty: %1</translation>
    </message>
    <message>
        <source>Изображение %1 повреждено, обрезано или слишком велико</source>
        <translation>Image %1 is damaged, truncated or too large</translation>
    </message>
    <message>
        <source>Не удаётся создать временную папку: %1</source>
        <translation>Cannot create a temporary folder: %1</translation>
    </message>
    <message>
        <source>Файл %1 — не изображение, не PDF и не документ, который умеет читать LibreOffice (%2)</source>
        <translation>File %1 is not an image, a PDF or a document LibreOffice can read (%2)</translation>
    </message>
    <message>
        <source>Документ не открыт</source>
        <translation>No document is open</translation>
    </message>
    <message>
        <source>В документе %1 нет страницы %2: страниц %3</source>
        <translation>Document %1 has no page %2: it has %3 pages</translation>
    </message>
    <message>
        <source>Разрешение %1 dpi вне допустимого (до %2)</source>
        <translation>Resolution %1 dpi is out of range (up to %2)</translation>
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
    <name>Quillet::Errors</name>
    <message>
        <source>нет такого файла или папки</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>нет прав доступа</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>действие не разрешено</source>
        <translation>operation not permitted</translation>
    </message>
    <message>
        <source>это папка</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>часть пути не является папкой</source>
        <translation>part of the path is not a folder</translation>
    </message>
    <message>
        <source>на диске нет места</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>превышена дисковая квота</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>файловая система доступна только для чтения</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>файл уже существует</source>
        <translation>the file already exists</translation>
    </message>
    <message>
        <source>слишком длинное имя файла</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>символические ссылки замкнуты в круг</source>
        <translation>symbolic links form a loop</translation>
    </message>
    <message>
        <source>ошибка ввода-вывода</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>устройство занято</source>
        <translation>the device is busy</translation>
    </message>
    <message>
        <source>файл занят</source>
        <translation>the file is busy</translation>
    </message>
    <message>
        <source>папка не пуста</source>
        <translation>the folder is not empty</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>недопустимый аргумент</source>
        <translation>invalid argument</translation>
    </message>
    <message>
        <source>канал закрыт</source>
        <translation>broken pipe</translation>
    </message>
    <message>
        <source>неизвестная ошибка</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>файл не открыт</source>
        <translation>the file is not open</translation>
    </message>
    <message>
        <source>формат изображения не поддерживается</source>
        <translation>unsupported image format</translation>
    </message>
    <message>
        <source>программа не запустилась</source>
        <translation>the program failed to start</translation>
    </message>
    <message>
        <source>программа завершилась аварийно</source>
        <translation>the program crashed</translation>
    </message>
    <message>
        <source>программа не ответила вовремя</source>
        <translation>the program timed out</translation>
    </message>
</context>
<context>
    <name>Quillet::ExampleProject</name>
    <message>
        <source>Quillet — пример</source>
        <translation>Quillet example</translation>
    </message>
    <message>
        <source>Пример не найден: в папке %1 нет файла %2.</source>
        <translation>Example not found: folder %1 has no file %2.</translation>
    </message>
    <message>
        <source>Не удалось создать папку %1 для копии примера.</source>
        <translation>Could not create folder %1 for the copy of the example.</translation>
    </message>
    <message>
        <source>Не удалось заменить файл %1: %2</source>
        <translation>Could not replace file %1: %2</translation>
    </message>
    <message>
        <source>Не удалось скопировать пример в %1: %2</source>
        <translation>Could not copy the example to %1: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::ExportPanel</name>
    <message>
        <source>Картинки JPEG (*.jpg)</source>
        <translation>JPEG images (*.jpg)</translation>
    </message>
    <message>
        <source>Картинки PNG (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Экспорт результата</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Страницы: </source>
        <translation>Pages: </translation>
    </message>
    <message>
        <source>Выделить все страницы</source>
        <translation>Select all pages</translation>
    </message>
    <message>
        <source>Выделить с начала до текущей</source>
        <translation>Select from the first page to the current one</translation>
    </message>
    <message>
        <source>Инвертировать выделение</source>
        <translation>Invert the selection</translation>
    </message>
    <message>
        <source>Добавить / исключить текущую страницу</source>
        <translation>Add / remove the current page</translation>
    </message>
    <message>
        <source>Экспортировать подложку</source>
        <translation>Export the background</translation>
    </message>
    <message>
        <source>Печатать в обратном порядке</source>
        <translation>Print in reverse order</translation>
    </message>
    <message>
        <source>Распечатывать как картинку (медленее)</source>
        <translation>Print as a picture (slower)</translation>
    </message>
    <message>
        <source>Сохранить как картинку</source>
        <translation>Save as image</translation>
    </message>
    <message>
        <source>Сохранить PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>Сохранить выбранные страницы одним файлом PDF</source>
        <translation>Save the selected pages as one PDF file</translation>
    </message>
    <message>
        <source>Распечатать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Настройка принтера</source>
        <translation>Printer Setup</translation>
    </message>
    <message>
        <source>Калибровка принтера…</source>
        <translation>Printer Calibration…</translation>
    </message>
    <message>
        <source>Копий</source>
        <translation>Copies</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Не выбраны страницы</source>
        <translation>No pages selected</translation>
    </message>
    <message>
        <source>сохранить</source>
        <extracomment>The action in the question &quot;Страница 3 пуста: данных нет. Всё равно сохранить?&quot;</extracomment>
        <translation>save</translation>
    </message>
    <message>
        <source>Экспорт прерван: %1</source>
        <translation>Export stopped: %1</translation>
    </message>
    <message>
        <source>Экспорт</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Открыть папку</source>
        <translation>Open Folder</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldEditor</name>
    <message>
        <source>Редактируемый элемент больше не существует в списке полей.</source>
        <translation>The item being edited no longer exists in the field list.</translation>
    </message>
    <message>
        <source>Поле «%1»: первые четыре символа не являются номером поля.</source>
        <translation>Field «%1»: the first four characters are not a field number.</translation>
    </message>
    <message>
        <source>Блоки по числу знаков — только для текстового поля.</source>
        <translation>Blocks by character count are for text fields only.</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldOptions</name>
    <message>
        <source>Фигурное поле %1: %2 вне пределов %3–%4.</source>
        <translation>Shape field %1: %2 is outside %3–%4.</translation>
    </message>
    <message>
        <source>непрозрачность %1 вне диапазона 0–255</source>
        <translation>opacity %1 is outside 0–255</translation>
    </message>
    <message>
        <source>ID поля должен состоять из четырёх символов: «%1».</source>
        <translation>A field ID must have four characters: «%1».</translation>
    </message>
    <message>
        <source>Графическое поле %1: имя файла не может содержать символ с кодом 8.</source>
        <translation>Image field %1: the file name cannot contain the character with code 8.</translation>
    </message>
    <message>
        <source>Графическое поле %1: точка выбора цвета должна лежать в пределах 0–9999.</source>
        <translation>Image field %1: the colour pick point must be within 0–9999.</translation>
    </message>
    <message>
        <source>Графическое поле %1: непрозрачность должна быть в пределах 0–255.</source>
        <translation>Image field %1: the opacity must be within 0–255.</translation>
    </message>
    <message>
        <source>цвет линии «%1» — не целое число</source>
        <translation>line colour «%1» is not an integer</translation>
    </message>
    <message>
        <source>радиус скругления</source>
        <translation>corner radius</translation>
    </message>
    <message>
        <source>начальный угол</source>
        <translation>start angle</translation>
    </message>
    <message>
        <source>конечный угол</source>
        <translation>end angle</translation>
    </message>
    <message>
        <source>Фигурное поле %1: не выбрана фигура.</source>
        <translation>Shape field %1: no shape chosen.</translation>
    </message>
    <message>
        <source>толщина линии</source>
        <translation>line width</translation>
    </message>
    <message>
        <source>Фигурное поле %1: неизвестный стиль линии или заливки.</source>
        <translation>Shape field %1: unknown line or fill style.</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldPanels</name>
    <message>
        <source>Блок «%1», символы %2–%3: значение %4 «%5» не является числом.</source>
        <translation>Block «%1», characters %2–%3: the value of the %4 «%5» is not a number.</translation>
    </message>
    <message>
        <source>правого края</source>
        <translation>right edge</translation>
    </message>
    <message>
        <source>нижнего края</source>
        <translation>bottom edge</translation>
    </message>
    <message>
        <source>левого края</source>
        <translation>left edge</translation>
    </message>
    <message>
        <source>верхнего края</source>
        <translation>top edge</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldPanelsShape</name>
    <message>
        <source>Поле %1: не выбран вид фигуры.</source>
        <translation>Field %1: no kind of shape chosen.</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldPanelsText</name>
    <message>
        <source>Поле %1: значение «%2» (%3) вне допустимых пределов.</source>
        <translation>Field %1: the value «%2» (%3) is out of range.</translation>
    </message>
    <message>
        <source>Поле %1: не выбран вариант «%2».</source>
        <translation>Field %1: no option chosen for «%2».</translation>
    </message>
    <message>
        <source>Макс. число блоков на элемент поля</source>
        <translation>Max. blocks per field item</translation>
    </message>
    <message>
        <source>выравнивание первого блока</source>
        <translation>alignment of the first block</translation>
    </message>
    <message>
        <source>выравнивание основных блоков</source>
        <translation>alignment of the main blocks</translation>
    </message>
    <message>
        <source>выравнивание последнего блока</source>
        <translation>alignment of the last block</translation>
    </message>
    <message>
        <source>Прозрачный цвет</source>
        <translation>Transparent colour</translation>
    </message>
    <message>
        <source>Режим копирования</source>
        <translation>Copy mode</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldTree</name>
    <message>
        <source>Строка %1 дерева полей имеет отступ уровня %2 под узлом уровня %3.</source>
        <translation>Line %1 of the field tree is indented to level %2 under a node of level %3.</translation>
    </message>
    <message>
        <source>Строка %1 дерева полей ставит узел под блок, а у блоков нет вложенных узлов.</source>
        <translation>Line %1 of the field tree puts a node under a block, but blocks have no nested nodes.</translation>
    </message>
    <message>
        <source>Строка %1 дерева полей — поле, текст которого «%2» не начинается с четырёхзначного ID.</source>
        <translation>Line %1 of the field tree is a field whose text «%2» does not start with a four-digit ID.</translation>
    </message>
</context>
<context>
    <name>Quillet::FieldTreeTexts</name>
    <message>
        <source>x %1 y %2 — %3 × %4 мм</source>
        <translation>x %1 y %2 — %3 × %4 mm</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1 pt</translation>
    </message>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>гребёнка</source>
        <translation>comb</translation>
    </message>
    <message>
        <source>Картинка</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Линия — верх</source>
        <translation>Line — top</translation>
    </message>
    <message>
        <source>Линия — низ</source>
        <translation>Line — bottom</translation>
    </message>
    <message>
        <source>Линия — лево</source>
        <translation>Line — left</translation>
    </message>
    <message>
        <source>Линия — право</source>
        <translation>Line — right</translation>
    </message>
    <message>
        <source>Линия — диагональ \</source>
        <translation>Line — diagonal \</translation>
    </message>
    <message>
        <source>Линия — диагональ /</source>
        <translation>Line — diagonal /</translation>
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
        <source>Скругленный прямоугольник</source>
        <translation>Rounded rectangle</translation>
    </message>
    <message>
        <source>Круг</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Дуга %1–%2°</source>
        <translation>Arc %1–%2°</translation>
    </message>
    <message>
        <source>Фигура</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>(пустой узел)</source>
        <translation>(empty node)</translation>
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
    <name>Quillet::FormatSniffer</name>
    <message>
        <source>текст с разделителями (.csv)</source>
        <translation>delimited text (.csv)</translation>
    </message>
    <message>
        <source>Книги Excel</source>
        <translation>Excel workbooks</translation>
    </message>
    <message>
        <source>Книги OpenDocument</source>
        <translation>OpenDocument workbooks</translation>
    </message>
    <message>
        <source>Текст с разделителями</source>
        <translation>Delimited text</translation>
    </message>
    <message>
        <source>Двоичные книги Excel</source>
        <translation>Excel binary workbooks</translation>
    </message>
    <message>
        <source>Таблицы dBase</source>
        <translation>dBase tables</translation>
    </message>
    <message>
        <source>Все книги (%1)</source>
        <translation>All workbooks (%1)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>неизвестный</source>
        <translation>unknown</translation>
    </message>
</context>
<context>
    <name>Quillet::GuideWindow</name>
    <message>
        <source>Руководство — Quillet</source>
        <translation>Guide — Quillet</translation>
    </message>
</context>
<context>
    <name>Quillet::HunspellChecker</name>
    <message>
        <source>Не удалось открыть словарь %1: %2</source>
        <translation>Could not open dictionary %1: %2</translation>
    </message>
    <message>
        <source>Словарь %1 записан в неизвестной кодировке «%2»</source>
        <translation>Dictionary %1 is written in an unknown encoding «%2»</translation>
    </message>
</context>
<context>
    <name>Quillet::ImageField</name>
    <message>
        <source>изображение слишком велико: %1</source>
        <translation>image too large: %1</translation>
    </message>
    <message>
        <source>не могу открыть изображение: %1</source>
        <translation>cannot open image: %1</translation>
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
    <name>Quillet::ImportWindow</name>
    <message>
        <source>Открытие файла</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Страница: </source>
        <translation>Page: </translation>
    </message>
    <message>
        <source>Номер страницы, которую взять подложкой</source>
        <translation>Number of the page to take as the background</translation>
    </message>
    <message>
        <source>Увеличить на 20%</source>
        <translation>Zoom in by 20%</translation>
    </message>
    <message>
        <source>Уменьшить на 20%</source>
        <translation>Zoom out by 20%</translation>
    </message>
    <message>
        <source>Вместить страницу в окно</source>
        <translation>Fit the page in the window</translation>
    </message>
    <message>
        <source>Истинный размер</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>Показать страницу заново</source>
        <translation>Show the page again</translation>
    </message>
    <message>
        <source>&lt;= Если страница не отобразилась нажмите через некоторое время</source>
        <translation>&lt;= If the page has not appeared, click after a while</translation>
    </message>
    <message>
        <source>Страница строится в фоне. Если она так и не появилась, кнопка слева строит её заново.</source>
        <translation>The page is rendered while the window stays open. If it never appears, the button on the left renders it again.</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Взять выбранную страницу подложкой</source>
        <translation>Use the chosen page as the background</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Закрыть, не меняя подложку</source>
        <translation>Close without changing the background</translation>
    </message>
    <message>
        <source>Страница %1 готовится…</source>
        <translation>Preparing page %1…</translation>
    </message>
    <message>
        <source>Не хватает памяти, чтобы показать страницу %1</source>
        <translation>Not enough memory to show page %1</translation>
    </message>
    <message>
        <source>Страницу %1 не удалось показать</source>
        <translation>Page %1 could not be shown</translation>
    </message>
</context>
<context>
    <name>Quillet::LanguagePanel</name>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске программы.</source>
        <translation>The language will change the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>Quillet::LibreOffice</name>
    <message>
        <source>Не удаётся подготовить профиль LibreOffice: %1</source>
        <translation>Cannot prepare a LibreOffice profile: %1</translation>
    </message>
    <message>
        <source>Не удаётся прочитать файл %1</source>
        <translation>Cannot read file %1</translation>
    </message>
    <message>
        <source>исходный файл не открывается</source>
        <translation>the source file does not open</translation>
    </message>
    <message>
        <source>LibreOffice не справился за %1 с с файлом %2</source>
        <translation>LibreOffice did not finish file %2 within %1 s</translation>
    </message>
    <message>
        <source>Не удаётся запустить LibreOffice (%1): %2</source>
        <translation>Cannot start LibreOffice (%1): %2</translation>
    </message>
    <message>
        <source>LibreOffice не смог обработать файл %1%2</source>
        <translation>LibreOffice could not process file %1%2</translation>
    </message>
    <message>
        <source>LibreOffice записал пустой файл вместо %1</source>
        <translation>LibreOffice wrote an empty file instead of %1</translation>
    </message>
    <message>
        <source>Не установлен LibreOffice (программа soffice)</source>
        <translation>LibreOffice (the soffice program) is not installed</translation>
    </message>
    <message>
        <source>Не удаётся создать временную папку: %1</source>
        <translation>Cannot create a temporary folder: %1</translation>
    </message>
    <message>
        <source>Не удаётся записать файл %1</source>
        <translation>Cannot write file %1</translation>
    </message>
    <message>
        <source>Работа LibreOffice прервана</source>
        <translation>LibreOffice was interrupted</translation>
    </message>
</context>
<context>
    <name>Quillet::NoScanner</name>
    <message>
        <source>Сканирование недоступно: программа собрана без SANE (нужен пакет libsane-dev).</source>
        <translation>Scanning is not available: the program was built without SANE (the libsane-dev package is needed).</translation>
    </message>
</context>
<context>
    <name>Quillet::NoSpellChecker</name>
    <message>
        <source>Проверка орфографии недоступна: программа собрана без Hunspell (нужен пакет libhunspell-dev).</source>
        <translation>Spell checking is not available: the program was built without Hunspell (the libhunspell-dev package is needed).</translation>
    </message>
</context>
<context>
    <name>Quillet::NodeGrammar</name>
    <message>
        <source>Блок «%1», позиции %2–%3: %4 край «%5» — не число.</source>
        <translation>Block «%1», positions %2–%3: the %4 edge «%5» is not a number.</translation>
    </message>
    <message>
        <source>Блок «%1»: край лежит далеко за пределами любой страницы.</source>
        <translation>Block «%1»: an edge lies far beyond any page.</translation>
    </message>
    <message>
        <source>Край блока %1 мм лежит вне 0–9999,99 мм и не может быть сохранён.</source>
        <translation>The block edge at %1 mm is outside 0–9999.99 mm and cannot be saved.</translation>
    </message>
    <message>
        <source>ID поля должен состоять из четырёх символов: «%1».</source>
        <translation>A field ID must have four characters: «%1».</translation>
    </message>
    <message>
        <source>%1 %2 вне пределов %3–%4.</source>
        <translation>%1 %2 is outside %3–%4.</translation>
    </message>
    <message>
        <source>Поле %1: текст узла не может содержать переводы строки.</source>
        <translation>Field %1: the node text cannot contain line breaks.</translation>
    </message>
    <message>
        <source>левый</source>
        <translation>left</translation>
    </message>
    <message>
        <source>верхний</source>
        <translation>top</translation>
    </message>
    <message>
        <source>правый</source>
        <translation>right</translation>
    </message>
    <message>
        <source>нижний</source>
        <translation>bottom</translation>
    </message>
    <message>
        <source>Текстовое поле %1: текст поля не может содержать переводы строки и символ с кодом 8.</source>
        <translation>Text field %1: the field text cannot contain line breaks or the character with code 8.</translation>
    </message>
    <message>
        <source>Макс. число блоков на элемент</source>
        <translation>Max. blocks per item</translation>
    </message>
    <message>
        <source>Код выравнивания</source>
        <translation>Alignment code</translation>
    </message>
    <message>
        <source>Размер шрифта</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>Текстовое поле %1: управляющие символы недопустимы (%2).</source>
        <translation>Text field %1: control characters are not allowed (%2).</translation>
    </message>
    <message>
        <source>имя шрифта</source>
        <translation>font name</translation>
    </message>
    <message>
        <source>пропускаемые знаки</source>
        <translation>skipped characters</translation>
    </message>
</context>
<context>
    <name>Quillet::OdsReader</name>
    <message>
        <source>Таблица слишком велика: в ней больше ячеек или текста, чем можно прочитать</source>
        <translation>The table is too large: it has more cells or text than can be read</translation>
    </message>
    <message>
        <source>Файл не является таблицей OpenDocument: в нём нет content.xml</source>
        <translation>The file is not an OpenDocument spreadsheet: it has no content.xml</translation>
    </message>
    <message>
        <source>Файл OpenDocument</source>
        <translation>OpenDocument file</translation>
    </message>
    <message>
        <source>В таблице нет листов</source>
        <translation>The spreadsheet has no sheets</translation>
    </message>
</context>
<context>
    <name>Quillet::OptionReader</name>
    <message>
        <source>Графическое поле</source>
        <translation>Image field</translation>
    </message>
    <message>
        <source>имя файла изображения</source>
        <translation>image file name</translation>
    </message>
    <message>
        <source>признак растяжения</source>
        <translation>stretch flag</translation>
    </message>
    <message>
        <source>признак обрезки</source>
        <translation>crop flag</translation>
    </message>
    <message>
        <source>признак сохранения пропорций</source>
        <translation>keep-proportions flag</translation>
    </message>
    <message>
        <source>признак центрирования</source>
        <translation>centring flag</translation>
    </message>
    <message>
        <source>цвет фона блока</source>
        <translation>block background colour</translation>
    </message>
    <message>
        <source>признак прозрачного фона</source>
        <translation>transparent background flag</translation>
    </message>
    <message>
        <source>режим прозрачности</source>
        <translation>transparency mode</translation>
    </message>
    <message>
        <source>X точки выбора цвета</source>
        <translation>X of the colour pick point</translation>
    </message>
    <message>
        <source>Y точки выбора цвета</source>
        <translation>Y of the colour pick point</translation>
    </message>
    <message>
        <source>прозрачный цвет</source>
        <translation>transparent colour</translation>
    </message>
    <message>
        <source>режим копирования</source>
        <translation>copy mode</translation>
    </message>
    <message>
        <source>непрозрачность</source>
        <translation>opacity</translation>
    </message>
    <message>
        <source>Фигурное поле</source>
        <translation>Shape field</translation>
    </message>
    <message>
        <source>описание фигуры</source>
        <translation>shape description</translation>
    </message>
    <message>
        <source>толщина линии</source>
        <translation>line width</translation>
    </message>
    <message>
        <source>стиль линии</source>
        <translation>line style</translation>
    </message>
    <message>
        <source>цвет линии</source>
        <translation>line colour</translation>
    </message>
    <message>
        <source>стиль заливки</source>
        <translation>fill style</translation>
    </message>
    <message>
        <source>цвет заливки</source>
        <translation>fill colour</translation>
    </message>
    <message>
        <source>Текстовое поле</source>
        <translation>Text field</translation>
    </message>
    <message>
        <source>текст поля</source>
        <translation>field text</translation>
    </message>
    <message>
        <source>признак автозамены</source>
        <translation>auto-replace flag</translation>
    </message>
    <message>
        <source>макс. число блоков на элемент</source>
        <translation>max. blocks per item</translation>
    </message>
    <message>
        <source>выравнивание первого блока</source>
        <translation>alignment of the first block</translation>
    </message>
    <message>
        <source>выравнивание основных блоков</source>
        <translation>alignment of the main blocks</translation>
    </message>
    <message>
        <source>выравнивание последнего блока</source>
        <translation>alignment of the last block</translation>
    </message>
    <message>
        <source>направление заполнения</source>
        <translation>fill direction</translation>
    </message>
    <message>
        <source>цвет фона</source>
        <translation>background colour</translation>
    </message>
    <message>
        <source>цвет текста</source>
        <translation>text colour</translation>
    </message>
    <message>
        <source>признак полужирного</source>
        <translation>bold flag</translation>
    </message>
    <message>
        <source>признак курсива</source>
        <translation>italic flag</translation>
    </message>
    <message>
        <source>признак подчёркивания</source>
        <translation>underline flag</translation>
    </message>
    <message>
        <source>размер шрифта</source>
        <translation>font size</translation>
    </message>
    <message>
        <source>%1, позиция %2: %3.</source>
        <translation>%1, position %2: %3.</translation>
    </message>
    <message>
        <source>текст обрывается там, где ожидается %1 (символов: %2)</source>
        <translation>the text ends where %1 is expected (%2 characters)</translation>
    </message>
    <message>
        <source>нет разделителя (код %1), которым кончается %2</source>
        <translation>no separator (code %1) ends the %2</translation>
    </message>
    <message>
        <source>%1 — ожидалась цифра 0–%2, а не «%3»</source>
        <translation>%1 — expected a digit 0–%2, not «%3»</translation>
    </message>
    <message>
        <source>%1 «%2» — не целое число</source>
        <translation>%1 «%2» is not an integer</translation>
    </message>
    <message>
        <source>%1 «%2» — не число</source>
        <translation>%1 «%2» is not a number</translation>
    </message>
    <message>
        <source>настройки линии</source>
        <translation>line settings</translation>
    </message>
</context>
<context>
    <name>Quillet::PageArea</name>
    <message>
        <source>Максимально близко ( ALT+NUM * )</source>
        <translation>Actual pixels ( ALT+NUM * )</translation>
    </message>
    <message>
        <source>Физический размер (ALT + INSERT)</source>
        <translation>Physical size (ALT + INSERT)</translation>
    </message>
    <message>
        <source>Вместить в видимую область ( ALT + NUM / )</source>
        <translation>Fit in the window ( ALT + NUM / )</translation>
    </message>
    <message>
        <source>На 20% больше ( ALT + &quot;+&quot; )</source>
        <translation>20% larger ( ALT + &quot;+&quot; )</translation>
    </message>
    <message>
        <source>На 20% меньше ( ALT + &quot;-&quot; )</source>
        <translation>20% smaller ( ALT + &quot;-&quot; )</translation>
    </message>
    <message>
        <source>Перерисовать</source>
        <translation>Redraw</translation>
    </message>
    <message>
        <source>Страница:</source>
        <translation>Page:</translation>
    </message>
    <message>
        <source>из %1</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>К последней странице ( ALT + END )</source>
        <translation>Last page ( ALT + END )</translation>
    </message>
</context>
<context>
    <name>Quillet::PageExporter</name>
    <message>
        <source>Не удаётся записать файл %1: %2</source>
        <translation>Cannot write file %1: %2</translation>
    </message>
    <message>
        <source>Не удаётся закодировать страницу %1.</source>
        <translation>Cannot encode page %1.</translation>
    </message>
    <message>
        <source>Не удаётся записать файл %1.</source>
        <translation>Cannot write file %1.</translation>
    </message>
    <message>
        <source>Экспорт остановлен. </source>
        <translation>Export stopped. </translation>
    </message>
    <message>
        <source>Экспорт остановлен: ничего не сохранено.</source>
        <translation>Export stopped: nothing was saved.</translation>
    </message>
    <message>
        <source>Сохранён файл %1, страниц: %2</source>
        <translation>Saved file %1, pages: %2</translation>
    </message>
    <message>
        <source>Сохранено файлов: %1 в папке %2</source>
        <translation>Files saved: %1 in folder %2</translation>
    </message>
</context>
<context>
    <name>Quillet::PageRenderer</name>
    <message>
        <source>Схема страницы при %1 точках на дюйм не помещается в памяти.</source>
        <translation>The page layout at %1 dots per inch does not fit in memory.</translation>
    </message>
    <message>
        <source>Недостаточно памяти для схемы страницы.</source>
        <translation>Not enough memory for the page layout.</translation>
    </message>
    <message>
        <source>%1: поле %2: диапазон =%3 задан от конца к началу, элементов нет</source>
        <translation>%1: field %2: range =%3 runs from end to start, there are no items</translation>
    </message>
    <message>
        <source>Нет данных: не указан файл Excel</source>
        <translation>No data: no Excel file given</translation>
    </message>
    <message>
        <source>Нет данных: не открыт файл Excel «%1»</source>
        <translation>No data: Excel file «%1» is not open</translation>
    </message>
    <message>
        <source>Нет указанного листа</source>
        <translation>No such sheet</translation>
    </message>
    <message>
        <source>У поля «%1» нет четырёхзначного ID.</source>
        <translation>Field «%1» has no four-digit ID.</translation>
    </message>
</context>
<context>
    <name>Quillet::PageSelection</name>
    <message>
        <source>Слишком много страниц: %1</source>
        <translation>Too many pages: %1</translation>
    </message>
    <message>
        <source>Страница %1 пуста: данных нет. Всё равно %2?</source>
        <translation>Page %1 is empty: there is no data. %2 anyway?</translation>
    </message>
    <message>
        <source>Страницы %1 пусты: данных нет. Всё равно %2?</source>
        <translation>Pages %1 are empty: there is no data. %2 anyway?</translation>
    </message>
</context>
<context>
    <name>Quillet::PageSizePanel</name>
    <message>
        <source> мм</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Размер проекта:</source>
        <translation>Project size:</translation>
    </message>
    <message>
        <source>Сохранить размер</source>
        <translation>Save size</translation>
    </message>
    <message>
        <source>Удалить размер</source>
        <translation>Delete size</translation>
    </message>
    <message>
        <source>Ширина:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Высота:</source>
        <translation>Height:</translation>
    </message>
</context>
<context>
    <name>Quillet::PageView</name>
    <message>
        <source>ALT + Стрелки</source>
        <translation>ALT + Arrows</translation>
    </message>
</context>
<context>
    <name>Quillet::PdfFileDevice</name>
    <message>
        <source>Не удаётся записать файл %1</source>
        <translation>Cannot write file %1</translation>
    </message>
    <message>
        <source>Не удаётся записать файл %1: %2</source>
        <translation>Cannot write file %1: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::PdfJoin</name>
    <message>
        <source>Файл %1 повреждён или обрезан</source>
        <translation>File %1 is damaged or truncated</translation>
    </message>
    <message>
        <source>Не существует файла: %1</source>
        <translation>File does not exist: %1</translation>
    </message>
    <message>
        <source>Не удаётся прочитать файл %1: %2</source>
        <translation>Cannot read file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 — не PDF</source>
        <translation>File %1 is not a PDF</translation>
    </message>
    <message>
        <source>Файл %1 защищён паролем</source>
        <translation>File %1 is password-protected</translation>
    </message>
    <message>
        <source>Не удаётся записать файл %1: %2</source>
        <translation>Cannot write file %1: %2</translation>
    </message>
    <message>
        <source>Не указаны файлы для соединения</source>
        <translation>No files to join are given</translation>
    </message>
    <message>
        <source>Части %1 и %2 из разных наборов</source>
        <translation>Parts %1 and %2 belong to different sets</translation>
    </message>
    <message>
        <source>Лишняя часть %1: в наборе частей %2</source>
        <translation>Extra part %1: the set has %2 parts</translation>
    </message>
    <message>
        <source>Часть %1 указана дважды</source>
        <translation>Part %1 is given twice</translation>
    </message>
    <message>
        <source>Не хватает частей (%1 из %2): %3</source>
        <translation>Missing parts (%1 of %2): %3</translation>
    </message>
</context>
<context>
    <name>Quillet::PdfSheet</name>
    <message>
        <source>У страницы нет размера</source>
        <translation>The page has no size</translation>
    </message>
    <message>
        <source>Размер страницы не подходит для файла PDF</source>
        <translation>The page size does not suit a PDF file</translation>
    </message>
</context>
<context>
    <name>Quillet::PrintController</name>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Не выбраны страницы</source>
        <translation>No pages selected</translation>
    </message>
    <message>
        <source>распечатать</source>
        <extracomment>The action in the question &quot;Страница 3 пуста: данных нет. Всё равно распечатать?&quot;</extracomment>
        <translation>print</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>%1
Уже отправлено на печать страниц: %2.</source>
        <translation>%1
Pages already sent to the printer: %2.</translation>
    </message>
    <message>
        <source>Не хватает памяти, чтобы напечатать страницу.</source>
        <translation>Not enough memory to print the page.</translation>
    </message>
    <message>
        <source>Печать прервана: %1</source>
        <translation>Printing stopped: %1</translation>
    </message>
    <message>
        <source>Настройка принтера</source>
        <translation>Printer Setup</translation>
    </message>
    <message>
        <source>Калибровка принтера</source>
        <translation>Printer Calibration</translation>
    </message>
    <message>
        <source>Не найден ни один принтер.</source>
        <translation>No printer found.</translation>
    </message>
    <message>
        <source>Сейчас выбрана печать в файл, а не принтер. Выберите принтер в настройке принтера.</source>
        <translation>Printing to a file is chosen, not a printer. Choose a printer in Printer Setup.</translation>
    </message>
    <message>
        <source>Принтер «%1» может сдвигать печать по-разному в книжной и в альбомной ориентации листа, поэтому поправка хранится для каждой ориентации отдельно. Сейчас принтер печатает в книжной ориентации.

Для какой ориентации напечатать калибровочную страницу?</source>
        <translation>Printer “%1” may shift the print differently in portrait and in landscape orientation, so a correction is stored for each orientation. The printer now prints in portrait orientation.

For which orientation should the calibration page be printed?</translation>
    </message>
    <message>
        <source>Принтер «%1» может сдвигать печать по-разному в книжной и в альбомной ориентации листа, поэтому поправка хранится для каждой ориентации отдельно. Сейчас принтер печатает в альбомной ориентации.

Для какой ориентации напечатать калибровочную страницу?</source>
        <translation>Printer “%1” may shift the print differently in portrait and in landscape orientation, so a correction is stored for each orientation. The printer now prints in landscape orientation.

For which orientation should the calibration page be printed?</translation>
    </message>
    <message>
        <source>Книжная</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Альбомная</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Quillet::PrintJob</name>
    <message>
        <source>Страница %1 × %2 мм при %3 точках на дюйм не помещается в памяти; %4</source>
        <translation>A %1 × %2 mm page at %3 dots per inch does not fit in memory; %4</translation>
    </message>
    <message>
        <source>печатайте с меньшим разрешением.</source>
        <translation>print at a lower resolution.</translation>
    </message>
    <message>
        <source>печатайте без режима картинки или с меньшим разрешением.</source>
        <translation>print without image mode or at a lower resolution.</translation>
    </message>
    <message>
        <source>Недостаточно памяти для изображения страницы.</source>
        <translation>Not enough memory for the page image.</translation>
    </message>
    <message>
        <source>Калибровка принтера «%1» недопустима; выполните калибровку заново.</source>
        <translation>The calibration of printer «%1» is invalid; calibrate again.</translation>
    </message>
    <message>
        <source>Для вашего проекта рекомендуется альбомная ориентация страницы.
<byte value="xd"/>Изменить ориентацию листа на альбомную?</source>
        <translation>Landscape orientation is recommended for your project.
<byte value="xd"/>Change the sheet orientation to landscape?</translation>
    </message>
    <message>
        <source>Для вашего проекта рекомендуется книжная ориентация страницы.
<byte value="xd"/>Изменить ориентацию листа на книжную?</source>
        <translation>Portrait orientation is recommended for your project.
<byte value="xd"/>Change the sheet orientation to portrait?</translation>
    </message>
    <message>
        <source>Недостаточно памяти для печати.</source>
        <translation>Not enough memory to print.</translation>
    </message>
</context>
<context>
    <name>Quillet::PrinterDevice</name>
    <message>
        <source>Не удаётся записать файл %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>Не удаётся записать файл %1</source>
        <translation>Cannot write the file %1</translation>
    </message>
    <message>
        <source>Принтер «%1» недоступен</source>
        <translation>Printer “%1” is not available</translation>
    </message>
    <message>
        <source>Не удаётся начать печать на принтере «%1»</source>
        <translation>Cannot start printing on printer “%1”</translation>
    </message>
    <message>
        <source>Принтер «%1» не принял задание «%2»</source>
        <translation>Printer “%1” did not accept the job “%2”</translation>
    </message>
</context>
<context>
    <name>Quillet::ProgressLine</name>
    <message>
        <source>страница %1 из %2</source>
        <translation>page %1 of %2</translation>
    </message>
    <message>
        <source>%1 · %2 стр./с · осталось %3</source>
        <translation>%1 · %2 pages/s · %3 left</translation>
    </message>
</context>
<context>
    <name>Quillet::Project</name>
    <message>
        <source>Все номера полей до %1 уже выданы. Сохраните и снова откройте проект, чтобы освободить номера удалённых полей.</source>
        <translation>All field numbers up to %1 have been given out. Save and reopen the project to free the numbers of deleted fields.</translation>
    </message>
</context>
<context>
    <name>Quillet::ProjectFile</name>
    <message>
        <source>%1: символ %2 нельзя сохранить в файле проекта (Windows-1251). Замените его и сохраните снова.</source>
        <translation>%1: character %2 cannot be saved in the project file (Windows-1251). Replace it and save again.</translation>
    </message>
    <message>
        <source>Поле %1</source>
        <translation>Field %1</translation>
    </message>
    <message>
        <source>Блок %1 поля %2</source>
        <translation>Block %1 of field %2</translation>
    </message>
    <message>
        <source>Файл проекта обрывается перед длиной раздела «%1».</source>
        <translation>The project file ends before the length of section «%1».</translation>
    </message>
    <message>
        <source>Файл проекта повреждён: в разделе «%1» заявлено байт: %2, а осталось только %3.</source>
        <translation>The project file is damaged: section «%1» declares %2 bytes, but only %3 remain.</translation>
    </message>
    <message>
        <source>Файл проекта обрывается внутри раздела «%1».</source>
        <translation>The project file ends inside section «%1».</translation>
    </message>
    <message>
        <source>Строка настроек %1 (%2) файла проекта — недопустимое число: «%3».</source>
        <translation>Settings line %1 (%2) of the project file is not a valid number: «%3».</translation>
    </message>
    <message>
        <source>Строка настроек 3 (размер страницы) файла проекта не имеет вида «имя/ширина,высота» в пикселях: «%1».</source>
        <translation>Settings line 3 (page size) of the project file is not of the form «name/width,height» in pixels: «%1».</translation>
    </message>
    <message>
        <source>В файле проекта строк настроек: %1, а нужно не меньше 12.</source>
        <translation>The project file has %1 settings lines, but at least 12 are needed.</translation>
    </message>
    <message>
        <source>ширина подложки</source>
        <translation>background width</translation>
    </message>
    <message>
        <source>высота подложки</source>
        <translation>background height</translation>
    </message>
    <message>
        <source>отступ подложки сверху</source>
        <translation>background top margin</translation>
    </message>
    <message>
        <source>отступ подложки снизу</source>
        <translation>background bottom margin</translation>
    </message>
    <message>
        <source>отступ подложки слева</source>
        <translation>background left margin</translation>
    </message>
    <message>
        <source>отступ подложки справа</source>
        <translation>background right margin</translation>
    </message>
    <message>
        <source>Строка настроек 12 (угол поворота) файла проекта — не число: «%1».</source>
        <translation>Settings line 12 (rotation angle) of the project file is not a number: «%1».</translation>
    </message>
    <message>
        <source>Зависимость «%1»</source>
        <translation>Relation «%1»</translation>
    </message>
    <message>
        <source>Имя файла таблицы</source>
        <translation>Spreadsheet file name</translation>
    </message>
    <message>
        <source>Имя листа</source>
        <translation>Sheet name</translation>
    </message>
    <message>
        <source>Название размера страницы</source>
        <translation>Page size name</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Пара автозамены «%1»</source>
        <translation>Auto-replace pair «%1»</translation>
    </message>
    <message>
        <source>Не удаётся записать файл проекта %1: %2</source>
        <translation>Cannot write project file %1: %2</translation>
    </message>
    <message>
        <source>Подложка в файле проекта не является читаемым изображением JPEG.</source>
        <translation>The background in the project file is not a readable JPEG image.</translation>
    </message>
    <message>
        <source>подложка</source>
        <translation>background</translation>
    </message>
    <message>
        <source>дерево полей</source>
        <translation>field tree</translation>
    </message>
    <message>
        <source>список зависимостей</source>
        <translation>relation list</translation>
    </message>
    <message>
        <source>настройки</source>
        <translation>settings</translation>
    </message>
    <message>
        <source>список автозамены</source>
        <translation>auto-replace list</translation>
    </message>
    <message>
        <source>Не удаётся открыть файл проекта %1: %2</source>
        <translation>Cannot open project file %1: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::ProjectPanel</name>
    <message>
        <source>Пример не найден: он не установлен вместе с программой.</source>
        <translation>Example not found: it was not installed with the program.</translation>
    </message>
    <message>
        <source>Пример</source>
        <translation>Example</translation>
    </message>
    <message>
        <source>В папке «%1» уже есть копия примера, возможно, с вашими изменениями. Заменить её копией исходного примера?</source>
        <translation>The folder “%1” already holds a copy of the example, perhaps with your changes. Replace it with a copy of the original example?</translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Открыть прежнюю</source>
        <translation>Open existing</translation>
    </message>
    <message>
        <source>Файл проекта</source>
        <translation>Project file</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Сохранить текущий проект?</source>
        <translation>Save the current project?</translation>
    </message>
    <message>
        <source>Файл проекта (*.qlet)</source>
        <translation>Project file (*.qlet)</translation>
    </message>
    <message>
        <source>Файл не существует</source>
        <translation>The file does not exist</translation>
    </message>
</context>
<context>
    <name>Quillet::Recalculation</name>
    <message>
        <source>Не удаётся создать временную папку: %1</source>
        <translation>Cannot create a temporary folder: %1</translation>
    </message>
    <message>
        <source>Не удаётся прочитать файл %1</source>
        <translation>Cannot read file %1</translation>
    </message>
    <message>
        <source>Формула без вычисленного значения: %1!%2%3</source>
        <translation>Formula without a computed value: %1!%2%3</translation>
    </message>
</context>
<context>
    <name>Quillet::RelationCommands</name>
    <message>
        <source>Поле с ID: %1входит в состав другой зависимости.</source>
        <translation>The field with ID %1 is already part of another relation.</translation>
    </message>
    <message>
        <source>Оставить в предыдущей зависимости и не добавлять в текущую(ДА/YES)</source>
        <translation>Keep it in the previous relation and do not add it to this one (YES)</translation>
    </message>
    <message>
        <source>Иначе удалить с предыдущей и добавить в текущую(НЕТ/NO).</source>
        <translation>Otherwise remove it from the previous one and add it to this one (NO).</translation>
    </message>
    <message>
        <source>Отменить создание зависимости(ОТМЕН/CANSEL)</source>
        <translation>Cancel creating the relation (CANCEL)</translation>
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
    <name>Quillet::SaneScanner</name>
    <message>
        <source>Сканер не найден: нет ни одного подключённого сканера или не установлен его драйвер SANE.</source>
        <translation>No scanner found: no scanner is connected or its SANE driver is not installed.</translation>
    </message>
    <message>
        <source>Сканер уже занят другой операцией программы.</source>
        <translation>The scanner is already busy with another operation of the program.</translation>
    </message>
    <message>
        <source>Не удалось запустить SANE (%1). %2</source>
        <translation>Could not start SANE (%1). %2</translation>
    </message>
    <message>
        <source>Не удалось получить список сканеров (%1).</source>
        <translation>Could not get the list of scanners (%1).</translation>
    </message>
    <message>
        <source>Не удалось открыть сканер «%1» (%2).</source>
        <translation>Could not open scanner «%1» (%2).</translation>
    </message>
    <message>
        <source>Сканер «%1»</source>
        <translation>Scanner «%1»</translation>
    </message>
    <message>
        <source>%1 не позволяет выбрать %2.</source>
        <translation>%1 does not allow choosing %2.</translation>
    </message>
    <message>
        <source>%1 не принял %2 (%3).</source>
        <translation>%1 did not accept %2 (%3).</translation>
    </message>
    <message>
        <source>режим «%1»</source>
        <translation>mode «%1»</translation>
    </message>
    <message>
        <source>%1 не знает режима «%2».</source>
        <translation>%1 does not know mode «%2».</translation>
    </message>
    <message>
        <source>разрешение %1 dpi</source>
        <translation>resolution %1 dpi</translation>
    </message>
    <message>
        <source>%1 не позволяет выбрать разрешение.</source>
        <translation>%1 does not allow choosing the resolution.</translation>
    </message>
    <message>
        <source>Сканирование отменено.</source>
        <translation>Scanning cancelled.</translation>
    </message>
    <message>
        <source>не удалось начать сканирование</source>
        <translation>could not start scanning</translation>
    </message>
    <message>
        <source>не удалось узнать размер изображения</source>
        <translation>could not get the image size</translation>
    </message>
    <message>
        <source>%1 передаёт изображение в виде, который программа не принимает.</source>
        <translation>%1 sends the image in a form the program does not accept.</translation>
    </message>
    <message>
        <source>%1 передал несогласованные части изображения.</source>
        <translation>%1 sent inconsistent parts of the image.</translation>
    </message>
    <message>
        <source>ошибка при чтении изображения</source>
        <translation>error reading the image</translation>
    </message>
    <message>
        <source>%1 передаёт изображение длиннее %2 строк.</source>
        <translation>%1 sends an image longer than %2 lines.</translation>
    </message>
    <message>
        <source>%1 не передал изображения.</source>
        <translation>%1 sent no image.</translation>
    </message>
    <message>
        <source>Сканер не выбран.</source>
        <translation>No scanner selected.</translation>
    </message>
</context>
<context>
    <name>Quillet::ScanDialog</name>
    <message>
        <source>Недостаточно памяти для отсканированного изображения. Выберите меньшее разрешение.</source>
        <translation>Not enough memory for the scanned image. Choose a lower resolution.</translation>
    </message>
    <message>
        <source>Сканирование</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Сканер не выбран.</source>
        <translation>No scanner chosen.</translation>
    </message>
    <message>
        <source>Сканер:</source>
        <translation>Scanner:</translation>
    </message>
    <message>
        <source>Разрешение:</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>Режим:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>Сканировать</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Поиск сканеров…</source>
        <translation>Searching for scanners…</translation>
    </message>
    <message>
        <source>Подключение к сканеру…</source>
        <translation>Connecting to the scanner…</translation>
    </message>
    <message>
        <source>Положите лист в сканер и нажмите «Сканировать».</source>
        <translation>Put the sheet in the scanner and click “Scan”.</translation>
    </message>
    <message>
        <source>Выберите другой сканер.</source>
        <translation>Choose another scanner.</translation>
    </message>
    <message>
        <source>Сканирование…</source>
        <translation>Scanning…</translation>
    </message>
    <message>
        <source>Отмена…</source>
        <translation>Cancelling…</translation>
    </message>
    <message>
        <source>%1 точек на дюйм</source>
        <translation>%1 dpi</translation>
    </message>
</context>
<context>
    <name>Quillet::ScanModes</name>
    <message>
        <source>Цветной</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Оттенки серого</source>
        <translation>Greyscale</translation>
    </message>
    <message>
        <source>Чёрно-белый</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>успешно</source>
        <translation>success</translation>
    </message>
    <message>
        <source>действие не поддерживается</source>
        <translation>operation not supported</translation>
    </message>
    <message>
        <source>действие отменено</source>
        <translation>operation cancelled</translation>
    </message>
    <message>
        <source>сканер занят</source>
        <translation>the scanner is busy</translation>
    </message>
    <message>
        <source>недопустимое значение</source>
        <translation>invalid value</translation>
    </message>
    <message>
        <source>данные закончились</source>
        <translation>end of data</translation>
    </message>
    <message>
        <source>в податчике застряла бумага</source>
        <translation>paper jammed in the feeder</translation>
    </message>
    <message>
        <source>в податчике нет бумаги</source>
        <translation>the feeder is out of paper</translation>
    </message>
    <message>
        <source>крышка сканера открыта</source>
        <translation>the scanner cover is open</translation>
    </message>
    <message>
        <source>ошибка обмена данными со сканером</source>
        <translation>error communicating with the scanner</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>нет доступа к сканеру</source>
        <translation>access to the scanner denied</translation>
    </message>
</context>
<context>
    <name>Quillet::SeriesChoice</name>
    <message>
        <source>Книга Excel не открыта: выберите её файл в группе «Связь с файлом Excel» (F1).</source>
        <translation>No Excel workbook is open: choose its file in the «Link to Excel file» group (F1).</translation>
    </message>
    <message>
        <source>Не указан лист книги: впишите его имя в поле «Лист» группы «Связь с файлом Excel» (F1).</source>
        <translation>No sheet given: type its name in the «Sheet» box of the «Link to Excel file» group (F1).</translation>
    </message>
    <message>
        <source>В книге нет листа «%1».</source>
        <translation>The workbook has no sheet «%1».</translation>
    </message>
    <message>
        <source>Лист «%1» пуст.</source>
        <translation>Sheet «%1» is empty.</translation>
    </message>
</context>
<context>
    <name>Quillet::SettingsColumn</name>
    <message>
        <source>Руководство ( F1 )</source>
        <translation>Guide ( F1 )</translation>
    </message>
    <message>
        <source>Начало работы с проектом ( F1 )</source>
        <translation>Project ( F1 )</translation>
    </message>
    <message>
        <source>Работа с подложкой ( F2 )</source>
        <translation>Background ( F2 )</translation>
    </message>
    <message>
        <source>Работа с блоками и полями ( F3 )</source>
        <translation>Fields and blocks ( F3 )</translation>
    </message>
    <message>
        <source>Работа со структурой ( F4 )</source>
        <translation>Structure ( F4 )</translation>
    </message>
    <message>
        <source>Экспорт результата ( F5 )</source>
        <translation>Export ( F5 )</translation>
    </message>
    <message>
        <source>Отменить последнее действие ( CTRL+Z)</source>
        <translation>Undo the last action ( CTRL+Z)</translation>
    </message>
    <message>
        <source>Повторить отменённое действие (CTRL+Y)</source>
        <translation>Redo the undone action (CTRL+Y)</translation>
    </message>
    <message>
        <source>Прогресс:</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Список ошибок: </source>
        <translation>Error list: </translation>
    </message>
    <message>
        <source>Показывать сообщения об ошибках</source>
        <translation>Show error messages</translation>
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
    <name>Quillet::SpellDictionaries</name>
    <message>
        <source>Русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Английский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Украинский</source>
        <translation>Ukrainian</translation>
    </message>
    <message>
        <source>Белорусский</source>
        <translation>Belarusian</translation>
    </message>
    <message>
        <source>Казахский</source>
        <translation>Kazakh</translation>
    </message>
    <message>
        <source>Немецкий</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Французский</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Испанский</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>Итальянский</source>
        <translation>Italian</translation>
    </message>
    <message>
        <source>Не удалось прочитать личный словарь %1: %2</source>
        <translation>Could not read the personal dictionary %1: %2</translation>
    </message>
    <message>
        <source>Не удалось сохранить личный словарь %1: %2</source>
        <translation>Could not save the personal dictionary %1: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::SpreadsheetLink</name>
    <message>
        <source>Не существует файла: %1</source>
        <translation>File does not exist: %1</translation>
    </message>
</context>
<context>
    <name>Quillet::StartPage</name>
    <message>
        <source>Начало работы</source>
        <translation>Getting started</translation>
    </message>
    <message>
        <source>Создайте проект бланка, откройте сохранённый или начните с примера: квитанции, которая заполняется из таблицы.</source>
        <translation>Create a form project, open a saved one or start with the example: a receipt filled in from a spreadsheet.</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Новый проект: сначала выберите, где его сохранить</source>
        <translation>New project: first choose where to save it</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Открыть файл проекта</source>
        <translation>Open a project file</translation>
    </message>
    <message>
        <source>Открыть пример</source>
        <translation>Open example</translation>
    </message>
    <message>
        <source>Недавние проекты:</source>
        <translation>Recent projects:</translation>
    </message>
    <message>
        <source>Здесь появятся проекты, которые вы сохраните.</source>
        <translation>Projects you save will appear here.</translation>
    </message>
    <message>
        <source>Руководство по работе с программой — кнопка «?» над настройками или клавиша F1.</source>
        <translation>The guide to the program: the “?” button above the settings or the F1 key.</translation>
    </message>
    <message>
        <source>Скопировать пример в папку документов и открыть копию</source>
        <translation>Copy the example to your documents folder and open the copy</translation>
    </message>
    <message>
        <source>Пример не установлен вместе с программой</source>
        <translation>The example was not installed with the program</translation>
    </message>
</context>
<context>
    <name>Quillet::TForm1</name>
    <message>
        <source>Открытие файла. Дождитесь пока не исчезнет это сообщение.</source>
        <translation>Opening the file. Please wait until this message disappears.</translation>
    </message>
    <message>
        <source>Масштаб:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Блок можно открыть после рекламной паузы</source>
        <translation>The block can be opened after the commercial break</translation>
    </message>
    <message>
        <source>Не хватает памяти, чтобы нарисовать страницу.</source>
        <translation>Not enough memory to draw the page.</translation>
    </message>
    <message>
        <source>Внутренняя ошибка при рисовании страницы: %1</source>
        <translation>Internal error while drawing the page: %1</translation>
    </message>
    <message>
        <source>настройка в ручную</source>
        <translation>Manual calibration</translation>
    </message>
    <message>
        <source>Сколько реально занимают 10 см на программной линейке: </source>
        <translation>Real length of 10 cm of the on-screen ruler, cm: </translation>
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
<context>
    <name>Quillet::TextLayout</name>
    <message>
        <source>не влезло слово: %1</source>
        <translation>word did not fit: %1</translation>
    </message>
    <message>
        <source>%1: %2   Мало блоков / %3</source>
        <translation>%1: %2   Too few blocks / %3</translation>
    </message>
    <message>
        <source>%1 :  не влез: %2</source>
        <translation>%1 :  did not fit: %2</translation>
    </message>
</context>
<context>
    <name>Quillet::UserSettings</name>
    <message>
        <source>Не удаётся сохранить %1 в настройках пользователя (%2).</source>
        <translation>Cannot save %1 in the user settings (%2).</translation>
    </message>
    <message>
        <source>У размера страницы «%1» в настройках пользователя нет допустимого значения «%2».</source>
        <translation>Page size «%1» in the user settings has no valid «%2» value.</translation>
    </message>
    <message>
        <source>%1 альбомная</source>
        <translation>%1 landscape</translation>
    </message>
    <message>
        <source>стандартные размеры страниц</source>
        <translation>the standard page sizes</translation>
    </message>
    <message>
        <source>размер страницы «%1»</source>
        <translation>page size «%1»</translation>
    </message>
    <message>
        <source>удаление размера страницы «%1»</source>
        <translation>the removal of page size «%1»</translation>
    </message>
    <message>
        <source>список последних проектов</source>
        <translation>the list of recent projects</translation>
    </message>
    <message>
        <source>В настройках пользователя недопустимое значение «mscale».</source>
        <translation>The user settings hold an invalid «mscale» value.</translation>
    </message>
    <message>
        <source>калибровку экрана</source>
        <translation>the screen calibration</translation>
    </message>
    <message>
        <source>Калибровка принтера «%1» в настройках пользователя повреждена; выполните калибровку заново.</source>
        <translation>The calibration of printer «%1» in the user settings is damaged; calibrate again.</translation>
    </message>
    <message>
        <source>Не выбран принтер: калибровка не сохранена.</source>
        <translation>No printer selected: the calibration was not saved.</translation>
    </message>
    <message>
        <source>Калибровка принтера «%1» недопустима и не сохранена.</source>
        <translation>The calibration of printer «%1» is invalid and was not saved.</translation>
    </message>
    <message>
        <source>калибровку принтера «%1»</source>
        <translation>the calibration of printer «%1»</translation>
    </message>
    <message>
        <source>адрес рекламной страницы</source>
        <translation>the promotion page address</translation>
    </message>
    <message>
        <source>язык интерфейса</source>
        <translation>the interface language</translation>
    </message>
</context>
<context>
    <name>Quillet::WorkbookFile</name>
    <message>
        <source>Не существует файла: %1</source>
        <translation>File does not exist: %1</translation>
    </message>
    <message>
        <source>Это папка, а не файл книги: %1</source>
        <translation>This is a folder, not a workbook file: %1</translation>
    </message>
    <message>
        <source>Не удаётся открыть файл %1: %2</source>
        <translation>Cannot open file %1: %2</translation>
    </message>
    <message>
        <source>Неизвестный формат книги: %1 (ожидается .xlsx, .xlsm, .ods, .fods, .xls, .csv или .txt, а с LibreOffice также .xlsb, .numbers, .dbf и другие его форматы)</source>
        <translation>Unknown workbook format: %1 (expected .xlsx, .xlsm, .ods, .fods, .xls, .csv or .txt, and with LibreOffice also .xlsb, .numbers, .dbf and its other formats)</translation>
    </message>
    <message>
        <source>Не удаётся прочитать пересчитанную копию файла %1: %2</source>
        <translation>Cannot read the recalculated copy of file %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 — книга формата %2. Такие книги программа открывает через LibreOffice, а он не установлен (программа soffice): установите LibreOffice или сохраните книгу как .xlsx.</source>
        <translation>File %1 is a workbook in %2 format. The program opens such workbooks through LibreOffice, which is not installed (the soffice program): install LibreOffice or save the workbook as .xlsx.</translation>
    </message>
    <message>
        <source>LibreOffice не вычислил все формулы книги %1</source>
        <translation>LibreOffice did not compute all formulas of workbook %1</translation>
    </message>
</context>
<context>
    <name>Quillet::WorkbookPanel</name>
    <message>
        <source>Показать файл</source>
        <translation>Show file</translation>
    </message>
    <message>
        <source>Связь с файлом Excel</source>
        <translation>Link to Excel file</translation>
    </message>
    <message>
        <source>Выбрать файл</source>
        <translation>Choose file</translation>
    </message>
    <message>
        <source>Переоткрыть файл</source>
        <translation>Reopen file</translation>
    </message>
    <message>
        <source>Показать файл. Для скрытие нажать еще раз</source>
        <translation>Show the file. Click again to hide it</translation>
    </message>
    <message>
        <source>Лист: </source>
        <translation>Sheet: </translation>
    </message>
    <message>
        <source>Номер страницы меняется с изменением:</source>
        <translation>The page number changes with:</translation>
    </message>
    <message>
        <source>столбцев (элементы полей в строках)</source>
        <translation>columns (field items in rows)</translation>
    </message>
    <message>
        <source>строк (элементы полей в столбцах)</source>
        <translation>rows (field items in columns)</translation>
    </message>
    <message>
        <source>Связь с прежним файлом сохранена: %1</source>
        <translation>The link to the previous file is kept: %1</translation>
    </message>
    <message>
        <source>Файл Excel не связан: поля со ссылками на ячейки останутся пустыми.</source>
        <translation>No Excel file is linked: fields that refer to cells will stay empty.</translation>
    </message>
    <message>
        <source>Книга не открыта: %1</source>
        <translation>Workbook not opened: %1</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Файл Excel не открыт: показывать нечего.</source>
        <translation>No Excel file is open: there is nothing to show.</translation>
    </message>
    <message>
        <source>Не удаётся показать файл %1: в системе нет программы для него.</source>
        <translation>Cannot show the file %1: the system has no program for it.</translation>
    </message>
</context>
<context>
    <name>Quillet::XlsReader</name>
    <message>
        <source>Не удаётся прочитать книгу %1: %2</source>
        <translation>Cannot read workbook %1: %2</translation>
    </message>
    <message>
        <source>запись ячейки короче своих полей</source>
        <translation>a cell record is shorter than its fields</translation>
    </message>
    <message>
        <source>лист не начинается с записи BOF</source>
        <translation>a sheet does not start with a BOF record</translation>
    </message>
    <message>
        <source>ячейка ссылается на несуществующую строку</source>
        <translation>a cell refers to a string that does not exist</translation>
    </message>
    <message>
        <source>запись формулы короче своих полей</source>
        <translation>a formula record is shorter than its fields</translation>
    </message>
    <message>
        <source>запись MULRK испорчена</source>
        <translation>a MULRK record is damaged</translation>
    </message>
    <message>
        <source>ячейка за пределами 256 столбцов</source>
        <translation>a cell lies beyond 256 columns</translation>
    </message>
    <message>
        <source>файл слишком велик</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>листы книги перекрываются</source>
        <translation>the workbook&apos;s sheets overlap</translation>
    </message>
    <message>
        <source>в книге нет листов</source>
        <translation>the workbook has no sheets</translation>
    </message>
    <message>
        <source>это не книга Excel 97–2003 или она повреждена (%1)</source>
        <translation>this is not an Excel 97–2003 workbook or it is damaged (%1)</translation>
    </message>
    <message>
        <source>в файле нет книги Excel</source>
        <translation>the file holds no Excel workbook</translation>
    </message>
</context>
<context>
    <name>Quillet::XlsRecords</name>
    <message>
        <source>запись короче своих полей</source>
        <translation>a record is shorter than its fields</translation>
    </message>
    <message>
        <source>книга Excel версии до 5.0 не поддерживается</source>
        <translation>Excel workbooks older than version 5.0 are not supported</translation>
    </message>
    <message>
        <source>поток книги не начинается с записи BOF</source>
        <translation>the workbook stream does not start with a BOF record</translation>
    </message>
    <message>
        <source>поток книги не начинается с общих данных книги</source>
        <translation>the workbook stream does not start with the workbook globals</translation>
    </message>
    <message>
        <source>неизвестная версия BIFF (%1)</source>
        <translation>unknown BIFF version (%1)</translation>
    </message>
    <message>
        <source>запись листа короче своих полей</source>
        <translation>a sheet record is shorter than its fields</translation>
    </message>
    <message>
        <source>лист начинается за концом потока книги</source>
        <translation>a sheet starts past the end of the workbook stream</translation>
    </message>
    <message>
        <source>запись выходит за конец потока книги</source>
        <translation>a record runs past the end of the workbook stream</translation>
    </message>
    <message>
        <source>строка выходит за конец записи</source>
        <translation>a string runs past the end of its record</translation>
    </message>
    <message>
        <source>строка разорвана посреди знака</source>
        <translation>a string is split in the middle of a character</translation>
    </message>
    <message>
        <source>поток книги пуст</source>
        <translation>the workbook stream is empty</translation>
    </message>
    <message>
        <source>книга защищена паролем</source>
        <translation>the workbook is password-protected</translation>
    </message>
</context>
<context>
    <name>Quillet::XlsxReader</name>
    <message>
        <source>Файл не является книгой xlsx: в нём нет основной части книги</source>
        <translation>The file is not an xlsx workbook: it has no main workbook part</translation>
    </message>
    <message>
        <source>Не удаётся открыть книгу для чтения</source>
        <translation>Cannot open the workbook for reading</translation>
    </message>
    <message>
        <source>Не удаётся прочитать книгу: %1</source>
        <translation>Cannot read the workbook: %1</translation>
    </message>
    <message>
        <source>Файл книги слишком велик</source>
        <translation>The workbook file is too large</translation>
    </message>
    <message>
        <source>В книге нет листов</source>
        <translation>The workbook has no sheets</translation>
    </message>
    <message>
        <source>В книге нет части %1 для листа «%2»</source>
        <translation>The workbook has no part %1 for sheet «%2»</translation>
    </message>
    <message>
        <source>У листа «%1» нет части в книге</source>
        <translation>Sheet «%1» has no part in the workbook</translation>
    </message>
</context>
<context>
    <name>Quillet::XlsxReaderSheet</name>
    <message>
        <source>Номер строки %1 выходит за пределы листа</source>
        <translation>Row number %1 is beyond the sheet</translation>
    </message>
    <message>
        <source>Ссылка на ячейку %1 неверна или выходит за пределы листа</source>
        <translation>Cell reference %1 is invalid or beyond the sheet</translation>
    </message>
    <message>
        <source>Ячейка лежит за последним столбцом</source>
        <translation>A cell lies beyond the last column</translation>
    </message>
    <message>
        <source>Ячейка ссылается на несуществующую общую строку</source>
        <translation>A cell refers to a shared string that does not exist</translation>
    </message>
    <message>
        <source>В ячейке неверное число «%1»</source>
        <translation>The cell has an invalid number «%1»</translation>
    </message>
</context>
<context>
    <name>Quillet::XmlStream</name>
    <message>
        <source>%1: объявлен DOCTYPE, какого в книгах не бывает</source>
        <translation>%1: declares a DOCTYPE, which workbooks never have</translation>
    </message>
    <message>
        <source>%1: не хватает памяти для чтения</source>
        <translation>%1: not enough memory to read</translation>
    </message>
    <message>
        <source>%1, строка %2: ошибка в XML (%3)</source>
        <translation>%1, line %2: XML error (%3)</translation>
    </message>
</context>
<context>
    <name>Quillet::ZipArchive</name>
    <message>
        <source>сбой распаковки</source>
        <translation>decompression failure</translation>
    </message>
    <message>
        <source>сжатые данные испорчены</source>
        <translation>the compressed data is damaged</translation>
    </message>
    <message>
        <source>не хватает памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>сжатые данные оборваны</source>
        <translation>the compressed data is truncated</translation>
    </message>
    <message>
        <source>ошибки нет</source>
        <translation>no error</translation>
    </message>
    <message>
        <source>многотомные zip-архивы не поддерживаются</source>
        <translation>multi-volume zip archives are not supported</translation>
    </message>
    <message>
        <source>архив обрывается раньше, чем должен</source>
        <translation>the archive ends earlier than it should</translation>
    </message>
    <message>
        <source>контрольная сумма не сходится: данные испорчены</source>
        <translation>checksum mismatch: the data is damaged</translation>
    </message>
    <message>
        <source>такой части нет</source>
        <translation>no such part</translation>
    </message>
    <message>
        <source>способ сжатия не поддерживается</source>
        <translation>unsupported compression method</translation>
    </message>
    <message>
        <source>это не zip-архив</source>
        <translation>this is not a zip archive</translation>
    </message>
    <message>
        <source>архив повреждён: его оглавление указывает за пределы файла</source>
        <translation>the archive is damaged: its directory points beyond the file</translation>
    </message>
    <message>
        <source>архив повреждён: его оглавление не сходится с содержимым</source>
        <translation>the archive is damaged: its directory does not match its contents</translation>
    </message>
    <message>
        <source>архив зашифрован</source>
        <translation>the archive is encrypted</translation>
    </message>
    <message>
        <source>внутренняя ошибка библиотеки libzip</source>
        <translation>internal error of the libzip library</translation>
    </message>
    <message>
        <source>Файл не является zip-архивом</source>
        <translation>The file is not a zip archive</translation>
    </message>
    <message>
        <source>Не удаётся прочитать книгу: не хватает памяти</source>
        <translation>Cannot read the workbook: out of memory</translation>
    </message>
    <message>
        <source>Файл не является zip-архивом (%1)</source>
        <translation>The file is not a zip archive (%1)</translation>
    </message>
    <message>
        <source>В архиве слишком много элементов</source>
        <translation>The archive has too many entries</translation>
    </message>
    <message>
        <source>В книге нет части %1</source>
        <translation>The workbook has no part %1</translation>
    </message>
    <message>
        <source>Часть книги %1 больше допустимого размера</source>
        <translation>Workbook part %1 is larger than allowed</translation>
    </message>
    <message>
        <source>Не удаётся открыть часть книги %1 (%2)</source>
        <translation>Cannot open workbook part %1 (%2)</translation>
    </message>
    <message>
        <source>Часть книги %1 повреждена (%2)</source>
        <translation>Workbook part %1 is damaged (%2)</translation>
    </message>
    <message>
        <source>Часть книги %1 при распаковке превышает допустимый размер</source>
        <translation>Workbook part %1 exceeds the allowed size when unpacked</translation>
    </message>
</context>
</TS>
