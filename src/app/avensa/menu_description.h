#pragma once

#include "launcher/menu.h"
#include "launcher/package.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace carvelle::avensa {

// Builds a menu from a JSON description whose keys are the menu's field names; picture files
// are read relative to `folder`. On failure `error` names the key at fault.
bool MenuFromDescription(const QByteArray& json, const QString& folder, launcher::Menu& menu,
                         std::string& entryName, std::string& error);

// The package directory and, when one was read, the menu as one JSON object with the
// description's keys.
std::string DescribePackage(const launcher::PackageDirectory& directory,
                            const launcher::Menu* menu);

} // namespace carvelle::avensa
