#include "game/RandomSource.h"
#include "settings/IniSettingsStore.h"
#include "ui/ApplicationSetup.h"
#include "ui/WindowPlacement.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quartet::prepareApplication();

    quartet::frmMain window({
        std::make_unique<quartet::IniSettingsStore>(quartet::IniSettingsStore::standardDirectory()),
        nullptr,
        std::make_unique<quartet::ClockRandomSource>(),
    });
    quartet::centerOnScreen(window);
    window.show();
    return QApplication::exec();
}
