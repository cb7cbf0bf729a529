#include <QApplication>

#include "platform/QtPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvex::QtPlatform platform;
    return 0;
}
