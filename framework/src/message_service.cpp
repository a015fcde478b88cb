#include "nubora/framework/message_service.h"

#include "nubora/framework/trace.h"

#include <QMessageBox>

namespace nubora::fw {

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxRequest& request)
{
    auto box = std::make_unique<QMessageBox>(request.owner);
    box->setWindowTitle(request.caption);
    box->setText(request.text);
    switch (request.type) {
    case BoxType::Question:
        box->setIcon(QMessageBox::Information);
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case BoxType::Warning:
        box->setIcon(QMessageBox::Warning);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case BoxType::Error:
        box->setIcon(QMessageBox::Critical);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case BoxType::Notice:
        box->setIcon(QMessageBox::Information);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    }
    return box;
}

Answer QtMessageService::Show(const MessageBoxRequest& request)
{
    const auto box = BuildMessageBox(request);
    const int result = box->exec();
    if (request.type != BoxType::Question)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString BoxTypeName(BoxType type)
{
    switch (type) {
    case BoxType::Question: return QStringLiteral("question");
    case BoxType::Warning: return QStringLiteral("warning");
    case BoxType::Error: return QStringLiteral("error");
    case BoxType::Notice: return QStringLiteral("notice");
    }
    return QString();
}

Answer TraceMessageService::Show(const MessageBoxRequest& request)
{
    QString owner = QStringLiteral("-");
    if (request.owner)
        owner = request.owner->window()->windowTitle();
    QString text = request.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    WriteTrace(QStringLiteral("box %1 owner=%2 caption=%3 text=%4")
                   .arg(BoxTypeName(request.type), owner, request.caption, text));
    return request.type == BoxType::Question ? Answer::No : Answer::Ok;
}

}  // namespace nubora::fw
