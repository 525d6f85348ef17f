#include "projects/TFOpenConf.h"

#include "projects/Configurations.h"
#include "session/AppState.h"

#include <QLabel>
#include <QListWidget>

namespace veldrin {

TFOpenConf::TFOpenConf(AppState& state, Prompts& prompts, QWidget* parent)
    : VeldrinDialog(state, prompts, QStringLiteral("TFOpenConf"), parent)
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 70);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label1->setBuddy(ListBox1);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TFOpenConf::ListBox1Click);
    // A double-click or Return on an entry opens it, as OK does.
    connect(ListBox1, &QListWidget::itemActivated, this, [this] { Btn_OK->click(); });

    Btn_OK = addBandButton(QStringLiteral("Btn_OK"), VeldrinButton::ModalResult::Ok);
    Btn_Cancel = addBandButton(QStringLiteral("Btn_Cancel"), VeldrinButton::ModalResult::Cancel);

    setClientSize(377, 351, true);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    setHeader(text(33), text(34));
    Label1->setText(text(35));
    Label1->adjustSize();
    ListBox1->setAccessibleName(text(35));
    Btn_OK->setCaption(text(36));
    Btn_Cancel->setCaption(text(37));
}

void TFOpenConf::showEvent(QShowEvent* event)
{
    VeldrinDialog::showEvent(event);
    FormShow();
}

void TFOpenConf::resizeEvent(QResizeEvent* event)
{
    VeldrinDialog::resizeEvent(event);
    // The list follows all four edges of the window.
    ListBox1->setGeometry(16, 94, width() - 32, height() - 94 - BandHeight - 8);
}

void TFOpenConf::FormShow()
{
    m_SL = ListConfigurations(m_state.ProjectsDir);
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(m_SL);

    const QString current = m_state.IsConfigOpen() ? m_state.Settings.ActiveConfigName : QString();
    const int i = Search_Open_Conf(m_SL, current);
    if (i >= 0 || !m_SL.isEmpty()) {
        ListBox1->setCurrentRow(std::max(i, 0));
        m_Name_Conf = ListBox1->currentItem()->text();
    }
    ListBox1->setFocus();
}

void TFOpenConf::ListBox1Click()
{
    if (QListWidgetItem* item = ListBox1->currentItem())
        m_Name_Conf = item->text();
}

} // namespace veldrin
