#include "projects/TFChanges.h"

#include "common/Prompts.h"
#include "common/VeldrinError.h"
#include "projects/ChangesSinceLoad.h"
#include "session/AppState.h"
#include "widgets/VeldrinButton.h"
#include "widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace veldrin {
namespace {

constexpr int TitleText = 270; // "Changes since last load"
constexpr int CloseText = 241; // "Close"

} // namespace

TFChanges::TFChanges(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_state(state), m_prompts(prompts)
{
    setObjectName(QStringLiteral("TFChanges"));
    ApplyBackground(this);
    B_Changes = new QTextBrowser(this);
    B_Changes->setObjectName(QStringLiteral("B_Changes"));
    B_Changes->setOpenLinks(false);
    Btn_Close = new VeldrinButton(QStringLiteral("Btn_Close"), this);
    Btn_Close->setFixedSize(110, 28);
    Btn_Close->setModalResult(VeldrinButton::ModalResult::Cancel);
    auto* band = new QHBoxLayout;
    band->addStretch(1);
    band->addWidget(Btn_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(B_Changes, 1);
    layout->addLayout(band);
    resize(680, 480);
    Set_Lang();
}

void TFChanges::Set_Lang()
{
    const QString title = m_state.Strings[TitleText];
    setWindowTitle(m_state.Settings.ActiveConfigName.isEmpty()
                       ? title
                       : QStringLiteral("%1 - %2").arg(title, m_state.Settings.ActiveConfigName));
    B_Changes->setAccessibleName(title);
    Btn_Close->setCaption(m_state.Strings[CloseText]);
}

QString TFChanges::page() const
{
    return B_Changes->toPlainText();
}

void TFChanges::showChanges()
{
    QString html;
    try {
        const std::optional<LastLoad> load = NewestLoad(m_state.ActiveConfigDir);
        ConfigurationDiff diff;
        if (load)
            diff = DiffConfigurations(ReadConfigurationFiles(load->entry),
                                      ReadConfigurationFiles(m_state.ActiveConfigDir));
        html = ChangesPage(load, diff, m_state.Strings);
    } catch (const VeldrinError& error) {
        m_prompts.error(error.message());
        return;
    }
    Set_Lang();
    B_Changes->setHtml(html);
    B_Changes->setFocus();
    exec();
}

} // namespace veldrin
