// The about box: the product's description, code, version and manual, and the home page.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace veldrin {

struct AppState;
class LinkLabel;
class UrlOpener;

class TFAbout : public QDialog {
    Q_OBJECT

public:
    TFAbout(const AppState& state, UrlOpener& urls, QWidget* parent);

    // Opens the maker's home page, from the address label and from the picture.
    void Label4Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* addLabel(const char* objectName, const QString& text, int left, int top);

    const AppState& m_state;
    UrlOpener& m_urls;

    QPushButton* Image2;
    QLabel* Label2;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label12;
    LinkLabel* Label4;
    QPushButton* LbButton1;
};

} // namespace veldrin
