#include "app/TFAbout.h"

#include "services/UrlOpener.h"
#include "session/AppState.h"
#include "session/Identity.h"
#include "widgets/LinkLabel.h"
#include "widgets/Picture.h"
#include "widgets/VeldrinButton.h"
#include "widgets/WindowStyle.h"

#include <QLabel>

namespace veldrin {

TFAbout::TFAbout(const AppState& state, UrlOpener& urls, QWidget* parent)
    : QDialog(parent), m_state(state), m_urls(urls)
{
    setObjectName(QStringLiteral("TFAbout"));
    setWindowTitle(QStringLiteral("About..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    ApplyBackground(this);

    Image2 = new QPushButton(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFlat(true);
    Image2->setIcon(Picture(QStringLiteral("about"), 81));
    Image2->setIconSize(QSize(81, 81));
    Image2->setGeometry(32, 24, 81, 81);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setToolTip(QStringLiteral("Home page"));
    Image2->setAccessibleName(QStringLiteral("Home page"));
    connect(Image2, &QPushButton::clicked, this, &TFAbout::Label4Click);

    QLabel* name = addLabel("Label1", QStringLiteral("Software Veldrin "), 128, 24);
    StyleBoldGreyLabel(name);
    name->adjustSize();
    Label2 = addLabel("Label2", QString(), 128, 39);
    addLabel("Label6", QStringLiteral("Software Code : "), 128, 62);
    Label9 = addLabel("Label9", QString(), 240, 62);
    addLabel("Label3", QStringLiteral("Version :"), 128, 77);
    Label10 = addLabel("Label10", QString(), 240, 77);
    addLabel("Label8", QStringLiteral("Document Code :"), 128, 93);
    Label12 = addLabel("Label12", QString(), 240, 93);

    Label4 = new LinkLabel(QStringLiteral("Label4"), this);
    Label4->setLink(identity::HomePageUrl(), identity::MakerDomain());
    connect(Label4, &LinkLabel::linkClicked, this, &TFAbout::Label4Click);

    auto* ok = new VeldrinButton(QStringLiteral("LbButton1"), this);
    ok->setCaption(QStringLiteral("OK"));
    ok->setGeometry(32, 115, 81, 22);
    ok->setModalResult(VeldrinButton::ModalResult::Ok);
    LbButton1 = ok;

    setTabOrder(LbButton1, Label4);
    setTabOrder(Label4, Image2);
}

QLabel* TFAbout::addLabel(const char* objectName, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->move(left, top);
    label->adjustSize();
    return label;
}

void TFAbout::showEvent(QShowEvent* event)
{
    Label2->setText(m_state.SoftwareDescription);
    Label9->setText(QString::fromLatin1(identity::SoftwareCode));
    Label10->setText(QString::fromLatin1(identity::SoftwareVersion));
    Label12->setText(QStringLiteral("DC30418"));
    for (QLabel* label : {Label2, Label9, Label10, Label12})
        label->adjustSize();
    setFixedSize(406, 148);
    // The address sits in the bottom right corner.
    Label4->move(width() - Label4->width() - 12, height() - Label4->height() - 10);
    QDialog::showEvent(event);
    LbButton1->setFocus();
}

void TFAbout::Label4Click()
{
    m_urls.open(identity::HomePageUrl());
}

} // namespace veldrin
