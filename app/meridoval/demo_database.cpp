#include "app/meridoval/demo_database.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdio>

#include "app/common/open_base.h"
#include "platform/toolkit/qtext.h"

QString DefaultDemoPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("demo.mvdb"));
}

std::shared_ptr<store::Database> OpenDatabase(const QString& path) {
    appbase::OpenOptions options;
    options.preparation = appbase::Preparation::DemoData;
    options.makeFolders = true;
    appbase::Opened opened = appbase::OpenBase(toolkit::fromQ(path), options);
    if (opened.prepared)
        std::fprintf(stderr, "Base de démonstration créée : %s\n", qPrintable(path));
    return opened.database;
}
