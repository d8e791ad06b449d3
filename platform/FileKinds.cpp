#include "FileKinds.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "CodePage.h"
#include "FileLookup.h"
#include "FileSystemDetail.h"
#include "Liczebniki.h"
#include "Paths.h"

namespace vesk {

using namespace fsdetail;

namespace {

FileFault& fileFault() {
    static FileFault fault;
    return fault;
}

// The error the test's fault gives.
int& faultError() {
    static int error = EIO;
    return error;
}

// Why fileNameToCp1250 refuses a name, after "Nazwa ... X" (its bytes are
// not UTF-8, its letters decomposed, or it has characters code page 1250
// lacks), what followed, and the command that mends the name; `fix` when
// no command can.
std::string powodOdmowyNazwy(std::string_view native, const std::string& skutek, const std::string& fix) {
    const bool utf8 = isValidUtf8(native) && native.find("\xEF\xBF\xBD") == std::string_view::npos;
    if (!utf8)
        return " nie jest zapisana w UTF-8 - " + skutek + ". Nazwy w kodzie 1250 (z archiwum z Windows) poprawia np. " +
               "polecenie: convmv -f cp1250 -t utf8 --notest NAZWA";
    if (firstCombiningMark(native) != std::string_view::npos)
        return " ma litery zapisane w postaci roz\xB3o\xBFonej (NFD: litera i osobny znak diakrytyczny) - " + skutek +
               ". Poprawia j\xB9 np. polecenie: convmv -f utf8 -t utf8 --nfc --notest NAZWA";
    return " ma znaki spoza strony kodowej 1250 - " + skutek + (fix.empty() ? "" : "; " + fix);
}

}  // namespace

namespace fsdetail {

bool fail(int error) {
    lastError = error;
    return false;
}

// True (errno set) when the test's fault answers for this step.
bool faultAt(std::string_view step) {
    if (!fileFault() || !fileFault()(step)) return false;
    errno = faultError();
    return true;
}

// The error of a file that is no regular one, naming its kind: EISDIR for
// a folder, NamedPipe, DeviceFile, SocketFile, NotRegularFile for the
// rest; 0 for a regular file.
int kindError(const struct stat& st) {
    return S_ISREG(st.st_mode)                          ? 0
           : S_ISDIR(st.st_mode)                        ? EISDIR
           : S_ISFIFO(st.st_mode)                       ? NamedPipe
           : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? DeviceFile
           : S_ISSOCK(st.st_mode)                       ? SocketFile
                                                        : NotRegularFile;
}

}  // namespace fsdetail

std::string unusableFileNameMessage(std::string_view native) {
    return "Nazwa pliku " + readableFileName(native) +
           powodOdmowyNazwy(native, "plik nie zosta\xB3 u\xBFyty", "nale\xBFy zmieni\xE6 jego nazw\xEA");
}

std::string unusableNewFileNameMessage(std::string_view native) {
    return "Nazwa pliku " + readableFileName(native) +
           powodOdmowyNazwy(native, "nazwa nie zosta\xB3" "a u\xBFyta", "nale\xBFy wybra\xE6 inn\xB9 nazw\xEA");
}

std::string unusableFolderMessage(std::string_view native, const std::string& source, const std::string& remedy) {
    return "Nazwa folderu " + readableFileName(native) + " (" + source + ")" +
           powodOdmowyNazwy(native, "nic nie zosta\xB3o utworzone", {}) + "; " + remedy;
}

void setFileFault(FileFault fault, int error) {
    fileFault() = std::move(fault);
    faultError() = error;
}

std::string fileErrorText(int error) {
    switch (error) {
        case 0: return {};
        case ReadOnlyFile: return "plik tylko do odczytu";
        case NotRegularFile: return "to nie jest zwyk\xB3y plik";
        case NamedPipe: return "to jest potok nazwany (FIFO)";
        case DeviceFile: return "to jest urz\xB9" "dzenie";
        case SocketFile: return "to jest gniazdo";
        case ChangingFile: return changedFileText();
        case AmbiguousName: return ambiguousNameText({});
        case HardLinkedFile: return "plik ma te\xBF inn\xB9 nazw\xEA (dowi\xB9zanie twarde), kt\xF3r\xB9 zmieni\xB3" "by zapis";
        case FolderNotFlushed: return "plik zapisany, ale " + unflushedFolderText();
        case TooBig: return tooBigText(lastBound);
        case ReplacedFile:
            return "w miejsce pliku zablokowanego przez ten program kto\x9C po\xB3o\xBFy\xB3 inny plik (np. kopi\xEA) - "
                   "nie zosta\xB3 zmieniony";
        case EISDIR: return "to jest folder";
        case DanglingLink: {
            const auto name = [](const std::string& n) { return fileNameToCp1250(n).value_or(readableFileName(n)); };
            return "dowi\xB9zanie symboliczne " + name(danglingLink.first) + " wskazuje na " + name(danglingLink.second) +
                   ", kt\xF3rego nie ma (np. niepod\xB3\xB9" "czony dysk sieciowy)";
        }
        case LinkLoop: return "p\xEAtla dowi\xB9za\xF1 symbolicznych";
        case ELOOP: return "dowi\xB9zanie symboliczne";
        case ENOSPC: return "brak miejsca na dysku";
        case EDQUOT: return "przekroczony przydzia\xB3 miejsca na dysku";
        case EPIPE: return "odbiorca potoku zako\xF1" "czy\xB3 odczyt";
        case ENOLCK: return "brak wolnych blokad plik\xF3w w systemie";
        case EACCES:
        case EPERM: return "brak uprawnie\xF1";
        case ENOENT: return "brak pliku lub folderu";
        case ENOTDIR: return "brak folderu";
        case EROFS: return "no\x9Cnik tylko do odczytu";
        case EIO: return "b\xB3\xB9" "d wej\x9C" "cia/wyj\x9C" "cia";
        // Where a limit is the cause, the limit.
        case ENAMETOOLONG:
            return "nazwa za d\xB3uga (nazwa pliku lub folderu mo\xBF" "e mie\xE6 najwy\xBF" "ej " + std::to_string(NAME_MAX) +
                   " bajt\xF3w, ca\xB3" "a \x9C" "cie\xBFka " + std::to_string(PATH_MAX) + ")";
        case EMFILE: {
            struct rlimit r {};
            const std::string ile = ::getrlimit(RLIMIT_NOFILE, &r) == 0 && r.rlim_cur != RLIM_INFINITY
                                        ? " (" + std::to_string(r.rlim_cur) + ")"
                                        : std::string();
            return "za du\xBFo otwartych plik\xF3w: wyczerpany limit otwartych plik\xF3w programu" + ile +
                   " - zob. ulimit -n";
        }
        case ENFILE: return "za du\xBFo otwartych plik\xF3w w systemie: wyczerpany limit systemu";
        case ENOMEM: return "brak pami\xEA" "ci";
        case EINTR: return "wywo\xB3" "anie systemu przerwane sygna\xB3" "em";
        case EAGAIN: return "zas\xF3" "b chwilowo niedost\xEApny";
        case EBUSY: return "plik lub urz\xB9" "dzenie zaj\xEAte";
        case ETXTBSY: return "plik jest w u\xBFyciu jako program";
        case EEXIST: return "plik ju\xBF istnieje";
        case ENOTEMPTY: return "folder nie jest pusty";
        case EXDEV: return "plik na innym no\x9Cniku";
        case EFBIG: {
            // The program's limit where it has one, else the file system's.
            struct rlimit r {};
            return ::getrlimit(RLIMIT_FSIZE, &r) == 0 && r.rlim_cur != RLIM_INFINITY
                       ? "plik jest za du\xBFy: przekroczono limit rozmiaru pliku (ulimit -f)"
                       : "plik jest za du\xBFy: przekroczono najwi\xEAkszy rozmiar pliku w tym systemie plik\xF3w";
        }
        case EMLINK: return "za du\xBFo dowi\xB9za\xF1 do pliku";
        case ENXIO:
        case ENODEV: return "brak urz\xB9" "dzenia";
        case EINVAL: return "niedozwolona operacja na tym pliku";
        case EBADF: return "nieprawid\xB3owy deskryptor pliku";
        case ESTALE: return "plik sieciowy nieaktualny (usuni\xEAty na serwerze)";
        case ETIMEDOUT: return "przekroczony czas oczekiwania";
        case ENOTCONN:
        case ENETDOWN:
        case ENETUNREACH:
        case EHOSTUNREACH: return "brak po\xB3\xB9" "czenia z no\x9Cnikiem sieciowym";
        case EOVERFLOW: return "plik za du\xBFy dla tej operacji";
        case ENOSYS:
        case EOPNOTSUPP: return "operacja nieobs\xB3ugiwana przez system plik\xF3w";
        default: return "b\xB3\xB9" "d systemu nr " + std::to_string(error);
    }
}

bool lastFailureAfterRename() { return lastError == FolderNotFlushed; }

std::string unflushedFolderText() {
    return "nie uda\xB3o si\xEA zapisa\xE6 na dysku jego folderu (" + fileErrorText(lastSyncError) +
           "): awaria zasilania mog\xB3" "aby cofn\xB9\xE6 ten zapis";
}

std::string lastFileError() {
    if (lastError != AmbiguousName) return fileErrorText(lastError);
    return ambiguousNameText(lastAmbiguousNames());
}

void setLastFileError(int error) { lastError = error; }

std::string withFileError(const std::string& text) {
    const std::string reason = lastFileError();
    return reason.empty() ? text : text + ": " + reason;
}

std::string failedWriteText(const std::string& notWritten, const std::string& written) {
    return lastFailureAfterRename() ? written + " zapisany, ale " + unflushedFolderText() : withFileError(notWritten);
}

bool isReadOnlyFile(const std::string& path) {
    auto found = findExisting(path);
    struct stat st;
    if (!found || !statPath(*found, st) || !S_ISREG(st.st_mode)) return false;
    // Only a refusal is read-only: a file gone since the look (another
    // program replacing it) is not.
    return modeForbidsWriting(st) ||
           (::access(found->c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM));
}

bool isReadOnlyFolderOf(const std::string& path) {
    std::string folder = nativePathForCreate(path);
    folder = folder.substr(0, folder.find_last_of('/') + 1);
    if (::faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return false;
    return errno == EACCES || errno == EROFS || errno == EPERM;
}

std::string notRegularFileText(const std::string& path) {
    struct stat st;
    if (::lstat(nativePathForCreate(path).c_str(), &st) != 0) return {};
    return fileErrorText(S_ISLNK(st.st_mode) ? ELOOP : kindError(st));
}

std::string fileKindText(const std::string& path) {
    const std::optional<std::string> found = findExisting(path);
    struct stat st;
    if (found && statPath(*found, st)) return fileErrorText(kindError(st));
    if (lookupFailure) return fileErrorText(lookupFailure);
    if (lookupAmbiguous) return ambiguousNameText(lastAmbiguousNames());
    return {};
}

std::string changedFileText(FileAtName at, const std::string& named) {
    const std::string plik = named.empty() ? std::string("plik") : named;
    switch (at) {
        case FileAtName::Current: return {};
        case FileAtName::Replaced: return plik + " zosta\xB3 zast\xB9piony innym plikiem";
        case FileAtName::Removed: return plik + " zosta\xB3 usuni\xEAty lub przeniesiony";
        case FileAtName::CouldNotTell:
            return "nie uda\xB3o si\xEA sprawdzi\xE6, czy " + plik + " jest wci\xB9\xBF tym otwartym: " +
                   fileErrorText(lookupError());
        case FileAtName::Changing: break;
    }
    return (named.empty() ? std::string() : named + ": ") +
           "plik zmieni\xB3 si\xEA w trakcie otwierania (podmieniony lub usuni\xEAty przez inny program)";
}

bool surelyMissing(const std::string& path) { return !findExisting(path) && !lookupFailure && !lookupAmbiguous; }

std::string tooBigText(std::uint64_t bound) {
    constexpr std::uint64_t MB = 1u << 20, KB = 1u << 10;
    const std::string ile = bound >= MB && bound % MB == 0   ? std::to_string(bound / MB) + " MB"
                            : bound >= KB && bound % KB == 0 ? std::to_string(bound / KB) + " KB"
                                                             : LiczbaBajtow(bound);
    return "plik jest za du\xBFy (ponad " + ile + ")";
}

}  // namespace vesk
