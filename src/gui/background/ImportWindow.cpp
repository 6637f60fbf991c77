// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/background/ImportWindow.h"

#include "core/background/DocumentImport.h"
#include "core/common/Errors.h"
#include "gui/app/Icons.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <new>

namespace Quillet {
namespace {

constexpr int kDefaultWidth = 1016;
constexpr int kDefaultHeight = 573;
// The fitted page keeps this much of the scroll box free, so no scroll bar appears.
constexpr double kFitAllowancePx = 35;
// Zooming out stops when the page's longer side would drop below this.
constexpr double kMinViewSidePx = 16;
// Bounds for the zoom while no picture is shown (a failed page).
constexpr double kLeastBareZoom = 1.0 / 64;
constexpr double kMostBareZoom = 64;
constexpr int kTextPaddingPx = 18;
constexpr int kTextWidthPx = 560;

// Between a thumbnail one can still see and the largest picture worth holding in memory.
double boundedZoom(double zoom, const QImage& page)
{
    if (page.isNull())
        return std::clamp(zoom, kLeastBareZoom, kMostBareZoom);
    const double longSide = std::max(page.width(), page.height());
    const double most = ImportWindow::MaxViewSidePx / longSide;
    return std::clamp(zoom, std::min(most, kMinViewSidePx / longSide), most);
}

} // namespace

ImportWindow::ImportWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(tr("Открытие файла"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    sScrollBox1 = new QScrollArea(this);
    sScrollBox1->setObjectName(QStringLiteral("sScrollBox1"));
    sScrollBox1->setFrameShape(QFrame::NoFrame);
    sScrollBox1->setWidgetResizable(true);
    // A grey desk round the white page, as in the main window.
    sScrollBox1->viewport()->setBackgroundRole(QPalette::Dark);
    auto* desk = new QWidget;
    desk->setBackgroundRole(QPalette::Dark);
    auto* deskLayout = new QGridLayout(desk);
    // Narrow at the sides: an A4 preview at actual size fits the default width.
    deskLayout->setContentsMargins(2, 8, 2, 8);
    Image1 = new QLabel(desk);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAutoFillBackground(true);
    Image1->setBackgroundRole(QPalette::Base);
    Image1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Image1->setAlignment(Qt::AlignCenter);
    deskLayout->addWidget(Image1, 0, 0, Qt::AlignCenter);
    sScrollBox1->setWidget(desk);
    layout->addWidget(sScrollBox1, 1);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setForegroundRole(QPalette::Mid);
    layout->addWidget(rule);

    // Stays where it is while the page under it scrolls.
    m_banner = new QLabel(sScrollBox1->viewport());
    m_banner->setObjectName(QStringLiteral("PreparingBanner"));
    // On the dark desk the label would otherwise take a light text colour.
    m_banner->setForegroundRole(QPalette::WindowText);
    m_banner->setStyleSheet(QStringLiteral(
        "background: #fff3c4; color: #5c4400; padding: 5px 12px; border-radius: 4px;"));
    m_banner->hide();
    sScrollBox1->viewport()->installEventFilter(this);

    layout->addLayout(buildBottomBar());
    resize(kDefaultWidth, kDefaultHeight);
}

ImportWindow::~ImportWindow()
{
    endSession();
}

QHBoxLayout* ImportWindow::buildBottomBar()
{
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(10, 8, 10, 10);
    bar->setSpacing(4);
    auto* caption = new QLabel(tr("Страница: "), this);
    sSpinEdit1 = new QSpinBox(this);
    sSpinEdit1->setObjectName(QStringLiteral("sSpinEdit1"));
    sSpinEdit1->setRange(1, 1);
    sSpinEdit1->setMinimumWidth(80);
    sSpinEdit1->setToolTip(tr("Номер страницы, которую взять подложкой"));
    caption->setBuddy(sSpinEdit1);
    bar->addWidget(caption);
    bar->addWidget(sSpinEdit1);
    bar->addSpacing(12);

    sSpeedButton4 = iconButton(this, "sSpeedButton4", IconName::ZoomIn, tr("Увеличить на 20%"));
    sSpeedButton3 = iconButton(this, "sSpeedButton3", IconName::ZoomOut, tr("Уменьшить на 20%"));
    sSpeedButton2 =
        iconButton(this, "sSpeedButton2", IconName::ZoomFit, tr("Вместить страницу в окно"));
    sSpeedButton1 =
        iconButton(this, "sSpeedButton1", IconName::ZoomOriginal, tr("Истинный размер"));
    sSpeedButton5 =
        iconButton(this, "sSpeedButton5", IconName::PageRepaint, tr("Показать страницу заново"));
    for (QToolButton* button :
         {sSpeedButton4, sSpeedButton3, sSpeedButton2, sSpeedButton1, sSpeedButton5}) {
        button->setAutoRaise(true);
        bar->addWidget(button);
    }
    sLabelFX1 =
        new QLabel(tr("<= Если страница не отобразилась нажмите через некоторое время"), this);
    sLabelFX1->setObjectName(QStringLiteral("sLabelFX1"));
    sLabelFX1->setToolTip(tr("Страница строится в фоне. Если она так и не "
                             "появилась, кнопка слева строит её заново."));
    sLabelFX1->setForegroundRole(QPalette::Dark);
    bar->addSpacing(4);
    bar->addWidget(sLabelFX1);
    bar->addStretch(1);

    sBitBtn2 = new QPushButton(tr("ОК"), this);
    setIconBesideText(sBitBtn2, IconName::Apply);
    sBitBtn2->setObjectName(QStringLiteral("sBitBtn2"));
    sBitBtn2->setToolTip(tr("Взять выбранную страницу подложкой"));
    sBitBtn2->setDefault(true);
    sBitBtn1 = new QPushButton(tr("Отмена"), this);
    setIconBesideText(sBitBtn1, IconName::Cancel);
    sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
    sBitBtn1->setToolTip(tr("Закрыть, не меняя подложку"));
    sBitBtn1->setAutoDefault(false);
    bar->addWidget(sBitBtn2);
    bar->addWidget(sBitBtn1);

    connect(sSpinEdit1, &QSpinBox::valueChanged, this, &ImportWindow::ShowPreviewPage);
    connect(sSpeedButton1, &QToolButton::clicked, this, &ImportWindow::sSpeedButton1Click);
    connect(sSpeedButton2, &QToolButton::clicked, this, &ImportWindow::sSpeedButton2Click);
    connect(sSpeedButton3, &QToolButton::clicked, this, &ImportWindow::sSpeedButton3Click);
    connect(sSpeedButton4, &QToolButton::clicked, this, &ImportWindow::sSpeedButton4Click);
    connect(sSpeedButton5, &QToolButton::clicked, this, &ImportWindow::ShowPreviewPage);
    connect(sBitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    connect(sBitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    return bar;
}

int ImportWindow::choosePage(const ImportDocument& document)
{
    if (!document.isOpen())
        return 0;
    m_document = &document;
    m_page = QImage();
    m_shownPage = 0;
    {
        const QSignalBlocker blocker(sSpinEdit1);
        sSpinEdit1->setRange(1, document.pageCount());
        sSpinEdit1->setValue(1);
    }
    ShowPreviewPage();
    sSpinEdit1->setFocus();
    sSpinEdit1->selectAll();
    const int chosen = exec() == QDialog::Accepted ? sSpinEdit1->value() : 0;
    endSession();
    return chosen;
}

void ImportWindow::endSession()
{
    m_task.abandon();
    m_document = nullptr;
    m_banner->hide();
    // The window is kept for the next import; a zoomed page need not stay in memory.
    m_page = QImage();
    Image1->clear();
}

void ImportWindow::ShowPreviewPage()
{
    if (m_document == nullptr)
        return;
    m_wantedPage = sSpinEdit1->value();
    ++m_request;
    // One page renders at a time; when it is done and no longer wanted, the newest
    // request follows (renderFinished), so spinning through pages queues nothing.
    if (!m_task.isBusy())
        startRender();
    if (m_page.isNull()) {
        showText(tr("Страница %1 готовится…").arg(m_wantedPage));
    } else {
        m_banner->setText(tr("Страница %1 готовится…").arg(m_wantedPage));
        m_banner->adjustSize();
        placeBanner();
        m_banner->raise();
        m_banner->show();
    }
}

void ImportWindow::startRender()
{
    const int page = m_wantedPage;
    const std::uint64_t request = m_request;
    const ImportDocument* document = m_document;
    m_task.start([document, page](TaskControl&) { return document->preview(page); },
                 [this, page, request](TaskResult<QImage>& rendered) {
                     renderFinished(page, request, rendered);
                 });
}

void ImportWindow::renderFinished(int page, std::uint64_t request, TaskResult<QImage>& rendered)
{
    if (request != m_request) {
        startRender();
        return;
    }
    m_banner->hide();
    m_shownPage = page;
    QString error;
    try {
        m_page = rendered.value().convertToFormat(QImage::Format_RGB32);
    } catch (const Error& e) {
        error = e.message();
    } catch (const std::bad_alloc&) {
        error = tr("Не хватает памяти, чтобы показать страницу %1").arg(page);
    } catch (...) {
        error = tr("Страницу %1 не удалось показать").arg(page);
    }
    if (m_page.isNull() || !error.isEmpty()) {
        m_page = QImage();
        showText(error);
        return;
    }
    if (m_page.width() < m_page.height())
        sSpeedButton1Click();
    else
        sSpeedButton2Click();
}

void ImportWindow::RedrawPreview()
{
    if (m_page.isNull())
        return;
    const QSize size(int(std::max(1L, std::lrint(m_page.width() * m_zoom))),
                     int(std::max(1L, std::lrint(m_page.height() * m_zoom))));
    const QImage view = size == m_page.size()
                            ? m_page
                            : m_page.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Image1->setMargin(0);
    Image1->setWordWrap(false);
    Image1->setPixmap(QPixmap::fromImage(view));
    Image1->setFixedSize(size);
}

void ImportWindow::showText(const QString& text)
{
    Image1->setMargin(kTextPaddingPx);
    Image1->setWordWrap(true);
    Image1->setText(text);
    // Short texts on one line, long ones wrapped in a readable column.
    const int width = std::min(kTextWidthPx, Image1->fontMetrics().horizontalAdvance(text)
                                                 + 2 * kTextPaddingPx + 2);
    Image1->setFixedSize(width, Image1->heightForWidth(width));
}

void ImportWindow::setZoom(double zoom)
{
    m_zoom = boundedZoom(zoom, m_page);
    RedrawPreview();
}

void ImportWindow::sSpeedButton1Click()
{
    setZoom(1.0);
}

void ImportWindow::sSpeedButton2Click()
{
    if (m_page.isNull())
        return;
    setZoom(std::min((sScrollBox1->height() - kFitAllowancePx) / m_page.height(),
                     (sScrollBox1->width() - kFitAllowancePx) / m_page.width()));
}

void ImportWindow::sSpeedButton3Click()
{
    setZoom(m_zoom / ZoomStep);
}

void ImportWindow::sSpeedButton4Click()
{
    setZoom(m_zoom * ZoomStep);
}

void ImportWindow::placeBanner()
{
    const QWidget* viewport = sScrollBox1->viewport();
    m_banner->move((viewport->width() - m_banner->width()) / 2, 12);
}

bool ImportWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sScrollBox1->viewport() && event->type() == QEvent::Resize)
        placeBanner();
    return QDialog::eventFilter(watched, event);
}

} // namespace Quillet
