#include <QApplication>

#include "app/main_window.h"
#include "app/screen_scaling.h"
#include "render/font_engine_choice.h"

int main(int argc, char* argv[]) {
    runemill::ChoosePlatform(nullptr);
    EnableScreenScaling();
    QApplication application(argc, argv);
    int status = 0;
    {
        MainWindow window;
        FitToScreen(&window);
        window.show();
        status = application.exec();
    }
    return status;
}
