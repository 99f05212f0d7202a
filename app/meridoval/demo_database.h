#pragma once
// The database the application opens: the one named on the command line, or the demo database
// in the user's data folder. It is opened as every program opens its base (app/common): a file
// that does not exist yet, or an empty one, is made with the demo data, its document templates
// in the folder "modeles" beside it.

#include <QString>
#include <memory>

#include "store/database.h"

QString DefaultDemoPath();
std::shared_ptr<store::Database> OpenDatabase(const QString& path);
