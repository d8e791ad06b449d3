// The console layer of the earlier text-mode program. Callers still call
// these; none shows or reads anything and each answers at once.
#pragma once

#include <string>

namespace vesk {

inline void CzyscEkran() {}
inline void RamkaEkranu(int, int, int, int, int, int, const std::string&) {}
inline void PiszXY(int, int, const std::string&) {}
// Returns text unchanged when shorter than width, else its first width characters.
inline std::string Wysrodkuj(const std::string& text, int width) {
    if (width < 0) width = 0;
    if (text.size() < static_cast<std::size_t>(width)) return text;
    return text.substr(0, static_cast<std::size_t>(width));
}
inline std::string Spacje(int) { return {}; }
inline int CzytajKlawisz() { return 32; }
inline bool NacisnietoKlawisz() { return true; }
inline int OstatniKlawisz() { return 0; }
inline void KursorWylacz() {}
inline void PoczatekEkranu() {}
inline void KoniecEkranu() {}
inline void ZerujZnacznikKonsoli() {}
inline int MenuWyboru() { return 0; }

}  // namespace vesk
