// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/background/BackgroundSources.h"

#include "core/background/BackgroundSettings.h"
#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "gui/app/Icons.h"
#include "gui/background/ImportWindow.h"
#include "gui/background/ScanDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace Quillet {
namespace {

QString fileFilter()
{
    const QString pictures = QStringLiteral(
        "*.bmp *.cur *.dib *.drw *.dxf *.emf *.eps *.gif *.iff *.img *.jpg *.jpeg "
        "*.pbm *.pcd *.pcx *.png *.ppm *.psd *.psp *.qtif *.tga *.tif *.tiff *.wmf *.wpg "
        "*.webp *.pgm *.ico");
    const QString documents =
        QStringLiteral("*.ODT *.ODS *.ODP *.RTF *.HTM* *.txt *.pps *.ppt* *.xls* *.pdf *.doc*");
    return QStringList{BackgroundSources::tr("Изображения (%1)").arg(pictures),
                       BackgroundSources::tr("Документы (%1)").arg(documents),
                       BackgroundSources::tr("Все (%1)").arg(QStringLiteral("*"))}
        .join(QStringLiteral(";;"));
}

QPushButton* sourceButton(QWidget* parent, const char* name, const QString& caption,
                          const QString& tip, IconName icon)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    setIconBesideText(button, icon);
    return button;
}

/// The one local file a file manager put on the clipboard, or empty.
QString copiedFile(const QMimeData& mime)
{
    if (!mime.hasUrls() || mime.urls().size() != 1 || !mime.urls().first().isLocalFile())
        return {};
    return mime.urls().first().toLocalFile();
}

} // namespace

BackgroundSources::BackgroundSources(BackgroundSettings& model, QWidget* parent)
    : QObject(parent), m_model(model), m_parent(parent)
{
}

void BackgroundSources::addButtons(QHBoxLayout* row,
                                   const std::function<void(std::function<void()>)>& run)
{
    QPushButton* file =
        sourceButton(m_parent, "sSpeedButton12", tr("Файл"),
                     tr("Подложка из картинки, PDF или документа"), IconName::DocumentOpen);
    QPushButton* clipboard =
        sourceButton(m_parent, "BufBtn", tr("Буфер"), tr("Подложка из картинки в буфере обмена"),
                     IconName::Paste);
    QPushButton* scanner = sourceButton(m_parent, "ScanBtn", tr("Сканер"),
                                        tr("Отсканировать подложку"), IconName::Scanner);
    row->addWidget(file);
    row->addWidget(clipboard);
    row->addWidget(scanner);
    connect(file, &QPushButton::clicked, this, [this, run] { run([this] { chooseFile(); }); });
    connect(clipboard, &QPushButton::clicked, this,
            [this, run] { run([this] { pasteClipboard(); }); });
    connect(scanner, &QPushButton::clicked, this, [this, run] { run([this] { scan(); }); });
}

bool BackgroundSources::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        m_parent, tr("Подложка из файла"),
        m_startFolder.isEmpty() ? m_projectFolder : m_startFolder, fileFilter());
    if (path.isEmpty())
        return false;
    m_startFolder = QFileInfo(path).path();
    return loadFile(path);
}

bool BackgroundSources::loadFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw FileError(tr("Файл не найден: %1").arg(path));
    ImportDocument document;
    runBusy([&] { document.open(path); });
    int page = 1;
    if (document.needsPageChoice()) {
        ImportWindow window(m_parent);
        page = window.choosePage(document);
        if (page == 0)
            return false;
    }
    QImage picture;
    runBusy([&] { picture = document.page(page); });
    const int dpi = document.pageDpi();
    document.close();
    replace(picture, dpi);
    return true;
}

bool BackgroundSources::pasteClipboard()
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (mime && mime->hasImage()) {
        const QImage picture = qvariant_cast<QImage>(mime->imageData());
        if (!picture.isNull()) {
            replace(picture);
            return true;
        }
    }
    // A picture file copied in a file manager counts as a picture on the clipboard.
    const QString file = mime ? copiedFile(*mime) : QString();
    if (!file.isEmpty() && !QImageReader(file).format().isEmpty())
        return loadFile(file);
    QMessageBox::information(m_parent, tr("Внимание"),
                             tr("В буфере обмена нет картинки: скопируйте "
                                "картинку или файл с ней и нажмите «Буфер» снова."));
    return false;
}

bool BackgroundSources::scan()
{
    ScanDialog dialog(m_parent);
    const QImage picture = dialog.scan();
    if (picture.isNull())
        return false;
    QApplication::clipboard()->setImage(picture);
    replace(picture);
    return true;
}

void BackgroundSources::replace(const QImage& page, int dpi)
{
    m_model.replaceBackground(page, dpi);
}

void BackgroundSources::runBusy(const std::function<void()>& work)
{
    Q_EMIT busyChanged(true);
    try {
        m_task.run([&work](TaskControl&) { work(); });
    } catch (...) {
        Q_EMIT busyChanged(false);
        throw;
    }
    Q_EMIT busyChanged(false);
}

} // namespace Quillet
