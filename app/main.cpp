#include <QApplication>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    int status = 0;
    {
        MainWindow window;
        window.show();
        status = application.exec();
    }
    return status;
}
