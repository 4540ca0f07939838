#include "state/Module1.h"

namespace Module1
{

QString DataPath;
QString DictExt;
std::array<QString, MaxWords + 1> Words;
qint16 UnknownCount = 0;
std::array<QString, MaxUnknown + 1> Unknown;
std::array<QString, LineSlots> Lines;
std::optional<qint16> BrowseIndex;

void resetAll()
{
    DataPath.clear();
    DictExt.clear();
    Words.fill(QString());
    UnknownCount = 0;
    Unknown.fill(QString());
    Lines.fill(QString());
    BrowseIndex.reset();
}

} // namespace Module1
