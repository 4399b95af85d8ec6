#pragma once

#include <string>

#include <QDateTime>
#include <QString>

namespace brimwell {

class Window;

/// The folder a finished run wrote CSV files into, found from the options it ran with and
/// the files' times: the folder of the one CSV (`savedFile`, the save dialog's answer),
/// the folder in the folder box, or the first folder of a listed file, in list order,
/// that received a CSV. Empty when no CSV there was written at `since` or later.
QString outputFolderOfRun(const Window& window, const std::string& savedFile,
                          const QDateTime& since);

}  // namespace brimwell
