#include "settings/UnsavedMessage.h"

#include <cerrno>
#include <cstring>

namespace quadrello {
namespace {

std::string SystemReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "没有在设置文件夹中写入的权限";
        case ENOSPC:
            return "磁盘空间不足";
        case EROFS:
            return "设置文件所在的磁盘是只读的";
        case ENOENT:
        case ENOTDIR:
            return "设置文件夹不存在";
        case ENAMETOOLONG:
            return "设置文件的路径太长";
        case EIO:
            return "读写磁盘时出错";
        case EAGAIN:
            return "设置文件正被其他程序改动";
        default:
            return "系统错误 " + std::to_string(error) + "（" + std::strerror(error) + "）";
    }
}

std::string Reason(const WriteOutcome& outcome) {
    switch (outcome.refusal) {
        case WriteRefusal::None:
            return {};
        case WriteRefusal::NoFileName:
            return "设置文件的路径无效";
        case WriteRefusal::ForeignLink:
            return "设置文件是其他用户可以控制的链接";
        case WriteRefusal::BrokenLink:
            return "设置文件是指向不存在之处的链接";
        case WriteRefusal::NotAFile:
            return "设置文件的位置上不是普通文件";
        case WriteRefusal::Unreadable:
            return "无法完整读取设置文件";
        case WriteRefusal::NotPermitted:
            return "没有写入设置文件的权限";
        case WriteRefusal::AccessNotKept:
            return "无法保留设置文件的所有者、权限或属性";
        case WriteRefusal::Unstorable:
            return "设置的内容无法写成一行";
        case WriteRefusal::NoFolder:
            return "找不到存放设置的文件夹";
        case WriteRefusal::System:
            return SystemReason(outcome.error);
    }
    return {};
}

}  // namespace

std::string UnsavedSwitchMessage(const WriteOutcome& outcome, const std::string& file) {
    std::string text = "无法保存设置：" + Reason(outcome) +
                       "。\n这项设置在本次运行中有效，但下次启动时不会被记住。";
    if (!file.empty()) {
        text += "\n\n" + file;
    }
    return text;
}

}  // namespace quadrello
