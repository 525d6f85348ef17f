// Tab moves through every window in reading order: row by row from the top, left to right. The
// update dialogs' second pages are checked with their own tests, where a page can be reached.
#include "app/Application.h"
#include "app/TFVeldrineFirmWare.h"
#include "support/FakeUrlOpener.h"
#include "support/ModalDriver.h"
#include "support/ReadingOrder.h"
#include "support/RecordingPrompts.h"
#include "support/TempProgramDir.h"

#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace veldrin {
namespace {

class TabOrder : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.mkdir(QStringLiteral("PROJECTS/Plant/bin"));
        dir.write(QStringLiteral("PROJECTS/Plant/ParGen.xml"),
                  "<GeneralParameter><Device_Type>1</Device_Type></GeneralParameter>");
        dir.write(QStringLiteral("Veldrin.xml"),
                  "<c><lastproj><projectname>Plant</projectname></lastproj></c>");
        app = std::make_unique<Application>(dir.path(), Services{&prompts, &urls});
        app->show();
    }

    test::TempProgramDir dir;
    test::RecordingPrompts prompts;
    test::FakeUrlOpener urls;
    std::unique_ptr<Application> app;
};

TEST_F(TabOrder, FollowsTheReadingOrderInEveryWindow)
{
    TFVeldrineFirmWare& window = app->mainWindow();
    test::ExpectReadingOrder(&window, QStringLiteral("main window"));
    for (const char* button :
         {"Btn_New", "Btn_Open", "Btn_Info", "Btn_Opz", "Btn_Prm_Gen", "Btn_Modbus_Req", "Btn_CreateBin"}) {
        test::WhenModal([&](QWidget* modal) {
            const QString name = modal->objectName();
            test::ExpectReadingOrder(modal, name);
            // Every page of a dialog with pages.
            if (auto* pages = modal->findChild<QTabWidget*>()) {
                for (int i = 1; i < pages->count(); ++i) {
                    pages->setCurrentIndex(i);
                    test::ExpectReadingOrder(modal, name + QStringLiteral(" page %1").arg(i + 1));
                }
            }
            if (modal->isVisible())
                modal->close();
        });
        window.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
}

} // namespace
} // namespace veldrin
