// The open configuration dialog: lists the configurations and returns the chosen name.
#pragma once

#include "widgets/VeldrinDialog.h"

#include <QStringList>

class QListWidget;

namespace veldrin {

class TFOpenConf : public VeldrinDialog {
    Q_OBJECT

public:
    TFOpenConf(AppState& state, Prompts& prompts, QWidget* parent);

    void Set_Lang() override;
    // The name last selected; "" until the first selection.
    const QString& Name_Conf() const { return m_Name_Conf; }
    const QStringList& SL() const { return m_SL; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormShow();
    void ListBox1Click();

    QStringList m_SL;
    QString m_Name_Conf;

    QLabel* Label1;
    QListWidget* ListBox1;
    VeldrinButton* Btn_OK;
    VeldrinButton* Btn_Cancel;
};

} // namespace veldrin
