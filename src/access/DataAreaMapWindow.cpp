#include "access/DataAreaMapWindow.h"

#include "access/DataAreaMapTexts.h"
#include "access/DataAreaMapView.h"
#include "common/AtomicFile.h"
#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "lang/StringTable.h"
#include "services/FileChooser.h"
#include "widgets/VeldrinButton.h"
#include "widgets/WindowStyle.h"

#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace veldrin {
namespace {

constexpr int MapTitleText = 231;  // "Data-area map"
constexpr int SavePngText = 240;   // "Save as PNG..."
constexpr int CloseText = 241;     // "Close"
constexpr int PngFilterText = 242; // "PNG pictures (*.png)"
constexpr int PngFailedText = 243; // "The map could not be drawn as a PNG picture."
constexpr int PollMarksText = 367; // "Test poll: rows outlined green answered; ..."

} // namespace

DataAreaMapWindow::DataAreaMapWindow(const StringTable& strings, Prompts& prompts, FileChooser& files,
                                     QWidget* parent)
    : QDialog(parent), m_strings(strings), m_prompts(prompts), m_files(files)
{
    setObjectName(QStringLiteral("TFDataAreaMap"));
    // Beside the request dialog, which stays usable while the map is open.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    ApplyBackground(this);

    SB_Map = new QScrollArea(this);
    SB_Map->setObjectName(QStringLiteral("SB_Map"));
    SB_Map->setFrameShape(QFrame::NoFrame);
    SB_Map->setFocusPolicy(Qt::NoFocus);
    SB_Map->setWidgetResizable(true);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("P_Map"));
    ApplyBackground(m_content);
    auto* column = new QVBoxLayout(m_content);
    column->setContentsMargins(12, 8, 12, 8);
    m_input = addArea(TableKind::Read, QStringLiteral("Input"), m_content);
    column->addWidget(m_input.title);
    column->addWidget(m_input.summary);
    column->addWidget(m_input.view);
    column->addSpacing(12);
    m_output = addArea(TableKind::Write, QStringLiteral("Output"), m_content);
    column->addWidget(m_output.title);
    column->addWidget(m_output.summary);
    column->addWidget(m_output.view);
    L_Legend = new QLabel(m_content);
    L_Legend->setObjectName(QStringLiteral("L_Legend"));
    L_Legend->setWordWrap(true);
    column->addSpacing(8);
    column->addWidget(L_Legend);
    column->addStretch(1);
    // The legend wraps at the width of the maps.
    L_Legend->setFixedWidth(m_input.view->sizeHint().width());
    SB_Map->setWidget(m_content);

    Btn_SavePng = new VeldrinButton(QStringLiteral("Btn_SavePng"), this);
    Btn_Close = new VeldrinButton(QStringLiteral("Btn_Close"), this);
    for (VeldrinButton* button : {Btn_SavePng, Btn_Close})
        button->setFixedSize(110, 28);
    connect(Btn_SavePng, &QPushButton::clicked, this, &DataAreaMapWindow::saveAsPng);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::close);
    auto* band = new QHBoxLayout;
    band->setContentsMargins(8, 6, 8, 6);
    band->addStretch(1);
    band->addWidget(Btn_SavePng);
    band->addWidget(Btn_Close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(SB_Map, 1);
    layout->addLayout(band);

    const int width = m_content->sizeHint().width() + SB_Map->verticalScrollBar()->sizeHint().width() + 2;
    resize(width, 640);
}

DataAreaMapWindow::Area DataAreaMapWindow::addArea(TableKind kind, const QString& prefix, QWidget* content)
{
    Area added;
    added.title = new QLabel(content);
    added.title->setObjectName(QStringLiteral("L_%1_Title").arg(prefix));
    StyleBoldGreyLabel(added.title);
    added.summary = new QLabel(content);
    added.summary->setObjectName(QStringLiteral("L_%1_Summary").arg(prefix));
    added.summary->setWordWrap(true);
    added.view = new DataAreaMapView(kind, QStringLiteral("Map_%1").arg(prefix), m_strings, content);
    connect(added.view, &DataAreaMapView::rowPicked, this,
            [this, kind](int row) { Q_EMIT rowPicked(kind, row); });
    return added;
}

void DataAreaMapWindow::setTexts(const QString& configurationName, const QString& configurationDir)
{
    m_configurationName = configurationName;
    m_configurationDir = configurationDir;
    const QString title = m_strings[MapTitleText];
    setWindowTitle(configurationName.isEmpty() ? title
                                               : QStringLiteral("%1 - %2").arg(title, configurationName));
    for (TableKind kind : {TableKind::Read, TableKind::Write}) {
        const Area& shown = area(kind);
        shown.title->setText(AreaTitle(kind, m_strings));
        shown.view->setAccessibleName(AreaTitle(kind, m_strings));
    }
    showLegend();
    Btn_SavePng->setCaption(m_strings[SavePngText]);
    Btn_Close->setCaption(m_strings[CloseText]);
    SB_Map->setAccessibleName(title);
}

void DataAreaMapWindow::showPollResults(const std::vector<int>& answered, const std::vector<int>& silent)
{
    m_input.view->setPollMarks({answered, silent});
    showLegend();
}

void DataAreaMapWindow::showLegend()
{
    const QString legend = MapLegend(m_strings);
    L_Legend->setText(m_input.view->pollMarks().empty()
                          ? legend
                          : legend + QStringLiteral("\n") + m_strings[PollMarksText]);
}

void DataAreaMapWindow::setMap(TableKind kind, const AreaMap& map, const RequestTable& table)
{
    const Area& shown = area(kind);
    QString summary = AreaSummary(map, m_strings);
    if (const std::optional<QString> leftOut = LeftOutLine(map, m_strings))
        summary += u'\n' + *leftOut;
    shown.summary->setText(summary);
    shown.summary->setAccessibleName(summary);
    shown.view->setMap(map, table);
}

void DataAreaMapWindow::setCurrentRow(TableKind kind, int row)
{
    const Area& shown = area(kind);
    shown.view->setCurrentRow(row);
    const auto span = std::find_if(shown.view->map().spans.begin(), shown.view->map().spans.end(),
                                   [row](const RowSpan& s) { return s.row == row; });
    if (span == shown.view->map().spans.end()) {
        SB_Map->ensureWidgetVisible(shown.title, 0, 0);
        return;
    }
    const QRect first = shown.view->byteRect(static_cast<int>(span->bits.firstByte()));
    const QPoint centre = shown.view->mapTo(m_content, first.center());
    SB_Map->ensureVisible(centre.x(), centre.y(), 0, 4 * first.height());
}

DataAreaMapView* DataAreaMapWindow::view(TableKind kind) const
{
    return area(kind).view;
}

QImage DataAreaMapWindow::picture() const
{
    return m_content->grab().toImage();
}

void DataAreaMapWindow::saveAsPng()
{
    const QString name = m_configurationName.isEmpty() ? m_strings[MapTitleText] : m_configurationName;
    const QString suggested = QDir(m_configurationDir.isEmpty() ? QDir::homePath() : m_configurationDir)
                                  .filePath(name + QStringLiteral("-map.png"));
    QString path = m_files.saveFileName(this, m_strings[SavePngText], suggested, m_strings[PngFilterText]);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture().save(&buffer, "PNG")) {
        m_prompts.error(m_strings[PngFailedText]);
        return;
    }
    try {
        WriteFileAtomically(path, png);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
    }
}

void DataAreaMapWindow::placeBeside(const QWidget& parent)
{
    const QRect beside = parent.frameGeometry();
    const QScreen* screen = parent.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QSize frame = frameGeometry().size();
    // As tall as the dialog, and tall enough to show a good part of an area.
    const int height = std::min(std::max(beside.height(), 640), room.isValid() ? room.height() : 640);
    resize(width(), std::max(height - (frame.height() - this->height()), 240));
    PlaceBeside(this, parent);
}

} // namespace veldrin
