#include "systemerror.h"

#include <array>
#include <cerrno>
#include <string_view>
#include <utility>

namespace bearing {

std::string systemErrorText(int error)
{
    static constexpr std::array<std::pair<int, std::string_view>, 17> reasons{{
        {ENOENT, "нет такого файла или каталога"},
        {EACCES, "нет доступа"},
        {EPERM, "действие не разрешено"},
        {EISDIR, "это каталог"},
        {ENOTDIR, "часть пути — не каталог"},
        {ENOSPC, "на устройстве нет места"},
        {EDQUOT, "превышена дисковая квота"},
        {EFBIG, "файл слишком велик"},
        {EIO, "ошибка ввода-вывода"},
        {EBADF, "поток закрыт"},
        {EPIPE, "читатель закрыл канал"},
        {EROFS, "файловая система только для чтения"},
        {ENAMETOOLONG, "слишком длинное имя"},
        {ELOOP, "слишком много символических ссылок"},
        {EMFILE, "открыто слишком много файлов"},
        {ENXIO, "нет такого устройства"},
        {EINVAL, "недопустимый аргумент"},
    }};
    if (error == 0) {
        return "причина неизвестна";
    }
    for (const auto& [code, reason] : reasons) {
        if (code == error) {
            return std::string(reason);
        }
    }
    return "системная ошибка " + std::to_string(error);
}

}  // namespace bearing
