<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
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
    <name>Quillet::GuideWindow</name>
    <message>
        <source>Руководство — Quillet</source>
        <translation>Guide — Quillet</translation>
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
</TS>
