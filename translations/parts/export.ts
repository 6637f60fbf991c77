<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
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
</TS>
