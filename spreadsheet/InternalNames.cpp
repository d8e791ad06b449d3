#include "InternalNames.h"

#include <array>
#include <cstdio>

#include "CodePage.h"
#include "EncodeFormula.h"
#include "XLSStreamMini.h"

namespace vesk {

namespace {

std::size_t charCount(const ByteString& s)
{
    if (s.empty())
        return 0;
    return (s[0] & 1) ? (s.size() - 1) / 2 : s.size() - 1;
}

char16_t firstChar(const ByteString& s)
{
    if (charCount(s) == 0)
        return 0;
    if (s[0] & 1)
        return static_cast<char16_t>(static_cast<std::uint8_t>(s[1]) | (static_cast<std::uint8_t>(s[2]) << 8));
    return static_cast<std::uint8_t>(s[1]);
}

std::string toHex(const void* data, std::size_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::string s;
    for (std::size_t i = 0; i < size; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

std::size_t readRaw(const TRecordBody& body, std::size_t at, std::size_t count, ByteString& out)
{
    if (count == 0) {
        out.clear();
        return 0;
    }
    std::uint8_t option = body.u8(at);
    std::size_t bytes = 1 + ((option & 1) ? 2 * count : count);
    const std::uint8_t* p = body.bytes(at, bytes);
    out.assign(reinterpret_cast<const char*>(p), bytes);
    return bytes;
}

bool isArea3d(std::uint8_t ptg) { return ptg == 0x3B || ptg == 0x5B || ptg == 0x7B; }
bool isRef3d(std::uint8_t ptg) { return ptg == 0x3A || ptg == 0x5A || ptg == 0x7A; }

}  // namespace

WideString TInternalName::Name() const
{
    if (Options & 0x20)
        return {};
    WideString w;
    const std::size_t n = charCount(RawName);
    for (std::size_t i = 0; i < n; ++i) {
        if (RawName[0] & 1)
            w += static_cast<char16_t>(static_cast<std::uint8_t>(RawName[1 + 2 * i]) |
                                       (static_cast<std::uint8_t>(RawName[2 + 2 * i]) << 8));
        else
            w += static_cast<char16_t>(static_cast<std::uint8_t>(RawName[1 + i]));
    }
    return w;
}

void TInternalName::SetName(std::u16string_view Text)
{
    if (Text.size() < 3)
        throw EXLSError(XLSErrorKind::Usage, "Invalid name. Must be at least 3 characters");
    if (Text.size() > 255)
        throw EXLSError(XLSErrorKind::Usage, "Invalid name. Must be at most 255 characters");
    int found = owner_.IndexOf(Text);
    if (found >= 0 && &owner_[found] != this)
        throw EXLSError(XLSErrorKind::Usage, "There is allready an area named " + utf16ToUtf8(Text));
    RawName = WideStringToByteStr(Text);
    Options &= static_cast<std::uint16_t>(~0x20u);
}

WideString TInternalName::Definition() const
{
    if (Tokens.empty())
        return {};
    return DecodeFormula(xvExcel97, Tokens, Tokens.size(), owner_.Resolver(), 0, 0, 0, owner_.Encoder().Settings);
}

void TInternalName::SetDefinition(std::u16string_view Text)
{
    if (RawName.empty())
        throw EXLSError(XLSErrorKind::Usage, "Name must be set before definition.");
    std::array<std::uint8_t, 512> buffer{};
    TEncodeFormula& encoder = owner_.Encoder();
    int size = encoder.Encode(Text, 0, false, buffer);
    if (size < 0)
        throw EXLSError(XLSErrorKind::Formula, "Invalid formula");
    std::uint16_t sheetIndex = SheetIndex;
    if (BuiltInName() == bnPrintTitles) {
        bool one = size == 11 && isArea3d(buffer[0]);
        bool two = size == 23 && buffer[0] == 0x3B && buffer[11] == 0x3B;
        if (!one && !two)
            throw EXLSError(XLSErrorKind::Usage, "Name definition must be an area");
        sheetIndex = static_cast<std::uint16_t>(encoder.LastSheetIndex() + 1);
        owner_.RemoveBuiltIn(this, bnPrintTitles, sheetIndex);
    }
    Tokens.assign(buffer.begin(), buffer.begin() + size);
    SheetIndex = sheetIndex;
}

TBuiltInName TInternalName::BuiltInName() const
{
    if (!(Options & 0x20))
        return bnNone;
    char16_t code = firstChar(RawName);
    return charCount(RawName) >= 1 && code < 13 ? static_cast<TBuiltInName>(code) : bnNone;
}

void TInternalName::SetBuiltInName(TBuiltInName Value)
{
    if (Value < bnNone) {
        Options |= 0x20;
        RawName = ByteString{'\0', static_cast<char>(Value)};
    } else {
        Options &= static_cast<std::uint16_t>(~0x20u);
    }
}

TInternalName::Area3d TInternalName::area3d() const
{
    auto u16 = [&](std::size_t at) { return Tokens[at] | (Tokens[at + 1] << 8); };
    if (Tokens.size() == 11 && isArea3d(Tokens[0]))
        return {u16(1), u16(3), u16(5), u16(7), u16(9)};
    if (Tokens.size() == 7 && isRef3d(Tokens[0]))
        return {u16(1), u16(3), u16(3), u16(5), u16(5)};
    throw EXLSError(XLSErrorKind::Usage, "Name is not of requested type.");
}

int TInternalName::Sheet() const { return area3d().sheet; }
int TInternalName::Row1() const { return area3d().row1; }
int TInternalName::Row2() const { return area3d().row2; }
int TInternalName::Col1() const { return area3d().col1; }
int TInternalName::Col2() const { return area3d().col2; }

std::string TInternalName::NameDef() const { return toHex(Tokens.data(), Tokens.size()); }
void TInternalName::SetNameDef(std::string_view Hex) { Tokens = HexToBytes(Hex); }
std::string TInternalName::NameName() const { return toHex(RawName.data(), RawName.size()); }

void TInternalName::SetNameName(std::string_view Hex)
{
    std::vector<std::uint8_t> bytes = HexToBytes(Hex);
    RawName.assign(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> TInternalName::Body() const
{
    std::vector<std::uint8_t> body;
    appendU16(body, Options);
    appendU8(body, Shortcut);
    appendU8(body, static_cast<std::uint8_t>(charCount(RawName)));
    appendU16(body, static_cast<std::uint16_t>(Tokens.size()));
    appendU16(body, Ixals);
    appendU16(body, SheetIndex);
    for (const ByteString* text : {&Menu, &Description, &Help, &Status})
        appendU8(body, static_cast<std::uint8_t>(charCount(*text)));
    appendBytes(body, RawName.data(), RawName.size());
    appendBytes(body, Tokens.data(), Tokens.size());
    for (const ByteString* text : {&Menu, &Description, &Help, &Status})
        if (charCount(*text) > 0)
            appendBytes(body, text->data(), text->size());
    return body;
}

int TInternalNames::IndexOf(std::u16string_view Name) const
{
    const WideString wanted = WideUpperCase(Name);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        WideString name = items_[i]->Name();
        if (!name.empty() && WideUpperCase(name) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

TInternalName& TInternalNames::Add()
{
    items_.push_back(std::make_unique<TInternalName>(*this));
    return *items_.back();
}

TInternalName& TInternalNames::Add(const TRecordBody& Body)
{
    auto name = std::make_unique<TInternalName>(*this);
    name->Options = Body.u16(0);
    name->Shortcut = Body.u8(2);
    std::size_t nameChars = Body.u8(3);
    std::size_t tokenSize = Body.u16(4);
    name->Ixals = Body.u16(6);
    name->SheetIndex = Body.u16(8);
    std::size_t counts[4] = {Body.u8(10), Body.u8(11), Body.u8(12), Body.u8(13)};
    std::size_t at = 14;
    if (nameChars == 0)
        throw Body.error("Name without characters", 3);
    at += readRaw(Body, at, nameChars, name->RawName);
    const std::uint8_t* tokens = Body.bytes(at, tokenSize);
    name->Tokens.assign(tokens, tokens + tokenSize);
    at += tokenSize;
    ByteString* texts[4] = {&name->Menu, &name->Description, &name->Help, &name->Status};
    for (int i = 0; i < 4; ++i)
        at += readRaw(Body, at, counts[i], *texts[i]);
    name->FromFile = true;
    items_.push_back(std::move(name));
    return *items_.back();
}

void TInternalNames::Delete(int i)
{
    if (i < 0 || static_cast<std::size_t>(i) >= items_.size())
        throw EXLSError(XLSErrorKind::Usage, "Name index out of range");
    items_.erase(items_.begin() + i);
}

void TInternalNames::RemoveBuiltIn(const TInternalName* Except, TBuiltInName Code, std::uint16_t SheetIndex)
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() != Except && items_[i]->BuiltInName() == Code && items_[i]->SheetIndex == SheetIndex) {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void TInternalNames::Write(TXLSStream& Stream, TExcelVersion Version) const
{
    if (Version < xvExcel97)
        return;
    for (const auto& name : items_) {
        if (!name->FromFile && name->RawName.empty())
            continue;
        std::vector<std::uint8_t> body = name->Body();
        Stream.WriteHeader(BIFFID_NAME, static_cast<std::uint16_t>(body.size() > 0xFFFF ? 0xFFFF : body.size()));
        Stream.WriteBody(body.data(), body.size());
    }
}

}  // namespace vesk
