#include "FormulaHandler.h"

namespace vesk {

TFormulaHandler::TFormulaHandler(void* Owner, void* Extra)
    : owner_(Owner), extra_(Extra),
      resolver_([this](int kind, int index, int nameIndex) { return resolve(kind, index, nameIndex); }),
      internalNames_(encoder_, resolver_)
{
    encoder_.OnNameIndex = [this](std::u16string_view name) { return internalNames_.IndexOf(name); };
    encoder_.On3DReference = [this](const T3DReference& ref) { return resolve3D(ref); };
    encoder_.Version = version_;
}

void TFormulaHandler::Clear()
{
    externalNames_.Clear();
    internalNames_.Clear();
    Names5.clear();
}

std::u16string TFormulaHandler::DecodeFormula(std::span<const std::uint8_t> Buffer, std::size_t Length, int Row,
                                              int Col, int SheetIndex) const
{
    return vesk::DecodeFormula(version_, Buffer, Length, resolver_, Row, Col, SheetIndex, encoder_.Settings,
                               CodePage);
}

void TFormulaHandler::SetVersion(TExcelVersion Version)
{
    version_ = Version;
    encoder_.Version = Version;
}

std::u16string TFormulaHandler::sheetName(int index) const
{
    std::u16string name = OnSheetName && index >= 0 ? OnSheetName(index) : std::u16string();
    return name;
}

std::u16string TFormulaHandler::resolve(int kind, int index, int nameIndex) const
{
    switch (kind) {
    case nrName:
    case nrNameX5: {
        if (kind == nrName && version_ == xvExcel50) {
            if (index < 1 || static_cast<std::size_t>(index) > Names5.size() || Names5[index - 1].empty())
                return u"#REF!";
            return Names5[static_cast<std::size_t>(index - 1)];
        }
        if (index < 1 || index > internalNames_.Count())
            return u"#REF!";
        const TInternalName& name = internalNames_[index - 1];
        TBuiltInName code = name.BuiltInName();
        if (code != bnNone)
            return std::u16string(BuiltInNameText(code));
        return name.Name();
    }
    case nrExternSheet: {
        const TExtSheetList& list = externalNames_.ExtSheets();
        if (externalNames_.InternalSheet(index) < 0)
            return externalNames_.ExternalText(index, nameIndex);
        if (nameIndex >= 0)
            return resolve(nrName, nameIndex, -1);
        const TExtSheet& e = list[static_cast<std::size_t>(index)];
        std::u16string first = sheetName(e.FirstSheet);
        std::u16string last = e.LastSheet == e.FirstSheet ? first : sheetName(e.LastSheet);
        if (first.empty() || last.empty())
            return u"#REF!";
        std::u16string sheets = e.LastSheet == e.FirstSheet ? first : first + u":" + last;
        return QuoteSheetName(sheets, encoder_.Settings.ArgumentSeparator) + u"!";
    }
    case nrSheet5:
    case nrSheetIndex: {
        std::u16string name = sheetName(index);
        return name.empty() && kind == nrSheet5 ? std::u16string(u"#REF!") : name;
    }
    default:
        return {};
    }
}

T3DResolution TFormulaHandler::resolve3D(const T3DReference& ref)
{
    T3DResolution answer;
    if (ref.Path.empty() && ref.File.empty()) {
        // A sheet of this workbook; an unknown one stays unresolved.
        int count = 0;
        int sheet = OnSheetLookup ? OnSheetLookup(ref.Sheet, count) : -1;
        if (sheet >= 0) {
            answer.Position = sheet;
            answer.ExtSheetIndex = externalNames_.SheetEntry(sheet, count);
        }
        return answer;
    }
    std::optional<TExternalPosition> found;
    if (ref.IsSheet) {
        found = externalNames_.FindExternal(ref.Path, ref.File, ref.Sheet);
        if (!found)
            found = externalNames_.AddExternal(ref.Path, ref.File, ref.Sheet);
    } else {
        found = externalNames_.FindExternalName(ref.Path, ref.File, ref.Name);
    }
    if (found) {
        answer.Position = found->Position;
        answer.ExtSheetIndex = found->ExtSheetIndex;
    }
    return answer;
}

}  // namespace vesk
