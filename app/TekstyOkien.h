// The fixed texts of the windows (captions, button texts, questions and
// messages), in code page 1250. The sources are written in UTF-8 and
// converted once.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

// A UTF-8 literal of the sources as a code-page-1250 text.
std::string cp1250(std::string_view utf8);

namespace tekst {
inline constexpr const char* TytulAplikacji = "Vesk dla Windows";
inline constexpr const char* TytulProjektu = "Vesk dla Windows 2012";
inline constexpr const char* DopisekTytulu = "symulator finansowy przedsiębiorstwa";
inline constexpr const char* Wersja = "wersja 3.05 (wydanie dla systemu Linux) z dnia 14.02.2012";
inline constexpr const char* PytanieKoniec = "Czy zakończyć program VeskWin ?";
inline constexpr const char* Podziekowanie = "System Veskwin dziękuje za współpracę";
inline constexpr const char* PrzerwanieWydruku = "Printing aborted";
inline constexpr const char* KlawiszWcisniety = " has been pressed";
inline constexpr const char* ZnacznikWsadowy = "pracawtrybiewsadowym";
inline constexpr const char* PlikOpisuJezyka = "Jezyk.rtf";
inline constexpr const char* PlikPodpowiedzi = "moduls.rtf";
}  // namespace tekst

}  // namespace vesk
