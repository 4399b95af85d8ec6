#pragma once

#include <optional>

#include <QPalette>
#include <QStringView>

namespace brimwell {

/// The palette of a colour scheme named on the command line, "light" or "dark", for a
/// window drawn in that scheme whatever the desktop's is; none for any other name.
std::optional<QPalette> schemePalette(QStringView name);

}  // namespace brimwell
