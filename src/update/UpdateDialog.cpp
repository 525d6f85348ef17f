#include "update/UpdateDialog.h"

#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "session/AppState.h"
#include "update/ProgramStarter.h"
#include "update/UpdaterPaths.h"

#include <QDateTime>
#include <QLabel>

#include <algorithm>

namespace veldrin {

UpdateDialog::UpdateDialog(AppState& state, Prompts& prompts, ProgramStarter& starter,
                           const QString& objectName, QWidget* parent)
    : VeldrinDialog(state, prompts, objectName, parent), m_starter(starter)
{
    L_Options = new QLabel(this);
    L_Options->setObjectName(QStringLiteral("L_Options"));
    m_options = std::make_unique<UpdateOptionBoxes>(this);

    Btn_Cancel = placeBandButton(QStringLiteral("Btn_Cancel"), VeldrinButton::ModalResult::Cancel, 16);
    Btn_Next = placeBandButton(QStringLiteral("Btn_Next"), VeldrinButton::ModalResult::None, 134);
    Btn_Update = placeBandButton(QStringLiteral("Btn_Update"), VeldrinButton::ModalResult::None, 16, 160);
    connect(Btn_Next, &QPushButton::clicked, this, [this] { nextClicked(); });
    connect(Btn_Update, &QPushButton::clicked, this, [this] { updateClicked(); });
    L_Status = new QLabel(P_Button);
    L_Status->setObjectName(QStringLiteral("L_Status"));
    L_Status->setWordWrap(true);
}

UpdateDialog::~UpdateDialog() = default;

UpdateOptions UpdateDialog::options() const
{
    return m_options->options();
}

void UpdateDialog::setFirstPage(std::initializer_list<QWidget*> widgets)
{
    m_firstPage = widgets;
    m_firstPage << Btn_Cancel << Btn_Next;
}

void UpdateDialog::showPage(int page)
{
    m_page = page;
    const bool first = page == 1;
    for (QWidget* widget : std::as_const(m_firstPage))
        widget->setVisible(first);
    for (QWidget* widget : std::initializer_list<QWidget*>{L_Options, Btn_Update, L_Status})
        widget->setVisible(!first);
    m_options->setVisible(!first);
    if (first) {
        placeFirstPage();
    } else {
        L_Options->move(16, 75);
        m_options->place(96);
        L_Status->clear();
        Btn_Update->setFocus();
    }
}

void UpdateDialog::setSharedTexts(int optionsIndex, int cancelIndex, int nextIndex, int updateIndex)
{
    L_Options->setText(text(optionsIndex));
    L_Options->adjustSize();
    m_options->setTexts(m_state.Strings, optionsIndex + 1);
    Btn_Cancel->setCaption(text(cancelIndex));
    Btn_Next->setCaption(text(nextIndex));
    Btn_Update->setCaption(text(updateIndex));
    // As wide as its caption needs, in any language; the status line takes the rest.
    Btn_Update->resize(std::max(160, Btn_Update->sizeHint().width()), Btn_Update->height());
    const int statusLeft = Btn_Update->geometry().right() + 9;
    L_Status->setGeometry(statusLeft, 2, std::max(60, width() - statusLeft - 6), 36);
}

bool UpdateDialog::updaterIdle()
{
    if (!m_starter.isBusy())
        return true;
    m_prompts.error(ProgramStarter::BusyMessage(m_state.Strings));
    return false;
}

void UpdateDialog::runUpdater(const QString& name, const QString& parameter)
{
    const QString program = UpdaterProgram(m_state.ProgramDir, name);
    L_Status->setText(text(204).arg(name));
    const RunOutcome outcome = m_starter.Start_Program(program, parameter, 0);
    L_Status->setText(outcome.statusLine(program, m_state.Strings));
    if (!outcome.succeeded() || !m_state.IsConfigOpen())
        return;
    // The status line keeps the load's own outcome; a history that cannot be written is
    // reported on its own.
    try {
        RecordLoad(m_state.ActiveConfigDir,
                   {QDateTime::currentDateTimeUtc(), route(), target(), options(), outcome.exitCode});
    } catch (const VeldrinError& error) {
        m_prompts.error(text(268).arg(error.message()));
    }
}

} // namespace veldrin
