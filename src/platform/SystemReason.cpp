#include "platform/SystemReason.h"

#include <cerrno>
#include <cstring>

std::string SystemReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "権限がありません";
        case ENOSPC:
            return "ディスクに空きがありません";
        case EDQUOT:
            return "ディスクの割り当てを超えました";
        case EROFS:
            return "読み取り専用のﾌｧｲﾙｼｽﾃﾑです";
        case EFBIG:
            return "ﾌｧｲﾙが大きすぎます";
        case ENOENT:
            return "ﾌｫﾙﾀﾞがありません";
        case ENOTDIR:
            return "ﾊﾟｽの途中にﾌｫﾙﾀﾞでないものがあります";
        case EISDIR:
            return "ﾌｫﾙﾀﾞです";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case ELOOP:
            return "ﾘﾝｸが多すぎます";
        case EIO:
            return "入出力エラーです";
        case EMFILE:
        case ENFILE:
            return "開いているﾌｧｲﾙが多すぎます";
        case ENOMEM:
            return "メモリが足りません";
        case ETXTBSY:
        case EBUSY:
            return "使用中です";
        default:
            return "エラー " + std::to_string(error) + ": " + std::strerror(error);
    }
}

std::string WithReason(const std::string& text, int error) {
    return text + " (" + SystemReason(error) + ")";
}
