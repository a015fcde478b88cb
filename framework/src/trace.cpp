#include "nubora/framework/trace.h"

#include <QFile>

namespace nubora::fw {

bool TraceEnabled() { return !qEnvironmentVariableIsEmpty(kTraceVariable); }

void WriteTrace(const QString& line)
{
    if (!TraceEnabled())
        return;
    QFile file(qEnvironmentVariable(kTraceVariable));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    file.write((line + QLatin1Char('\n')).toUtf8());
}

}  // namespace nubora::fw
