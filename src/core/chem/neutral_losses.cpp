#include "chem/neutral_losses.h"

#include <array>
#include <cstdlib>

#include "util/number_format.h"
#include "util/rounding.h"

namespace qzx {

namespace {

constexpr std::array<CommonLoss, 12> kCommonLosses{{
    {"CH3", 15},
    {"H2O", 18},
    {"C2H5", 29},
    {"OCH3", 31},
    {"CH3OH", 32},
    {"C3H7", 43},
    {"C6H5", 77},
    {"NO2", 46},
    {"CO2", 44},
    {"CO/C2H4", 28},
    {"TMS", 73},
    {"TMS-OH", 90},
}};

// The names are display texts kept exactly as the window has always shown them, spellings
// such as "H20", "CL" and the blank after "H2SiOH " included.
constexpr std::array<NeutralEntry, 105> kNeutralTable{{
    {14, "CH2"},      {14, "N"},          {15, "CH3"},        {16, "CH4"},       {16, "NH2"},
    {16, "O"},        {17, "NH3"},        {17, "OH"},         {18, "H20"},       {19, "F"},
    {20, "HF"},       {26, "C2H2"},       {26, "CN"},         {27, "HCN"},       {28, "C2H4"},
    {28, "N2"},       {28, "CO"},         {29, "CH3N"},       {29, "C2H5"},      {29, "CHO"},
    {30, "C2H6"},     {30, "NO"},         {30, "CH2O"},       {31, "CH3O"},      {32, "CH2OH"},
    {32, "S"},        {33, "CH3 + H2O"},  {33, "CH2F"},       {33, "SH"},        {34, "H2S"},
    {35, "CL"},       {35, "HF + CH3"},   {36, "HCL"},        {36, "2(H2O)"},    {38, "H6O2"},
    {39, "C3H3"},     {40, "C3H4"},       {40, "CH2CN"},      {41, "C3H5"},      {42, "C3H6"},
    {42, "CH2CO"},    {43, "HNCO"},       {43, "C3H7"},       {43, "CH3CO"},     {44, "C3H8"},
    {44, "CONH2"},    {44, "CO2"},        {44, "CS"},         {45, "C2H5O"},     {45, "CHS"},
    {46, "C2H5OH"},   {46, "CO + H2O"},   {46, "NO2"},        {46, "CH2S"},      {47, "C2H4F"},
    {47, "CH3S"},     {48, "H2SiOH "},    {48, "H2S + CH2"},  {49, "HF + C2H5"}, {49, "C2H4F"},
    {50, "CF2"},      {51, "C3HN"},       {53, "C4H5"},       {54, "C4H6"},      {54, "C3H2O"},
    {55, "C4H7"},     {56, "C4H8"},       {56, "C2H4CO"},     {57, "HNCO"},      {57, "C2H3NO"},
    {57, "C4H9"},     {57, "C2H5CO"},     {58, "C4H10"},      {58, "C2H6CO"},    {59, "C3H7O"},
    {59, "CH3CO2"},   {60, "C3H7OH"},     {60, "CO + CH3OH"}, {60, "C3COOH"},    {60, "COS"},
    {61, "C2H5S"},    {62, "H2S + C2H4"}, {62, "CH3HSiOH"},   {63, "C2H4CL"},    {64, "2(CH3OH)"},
    {64, "SO2"},      {65, "C4H3N"},      {67, "C5H7"},       {68, "C5H8"},      {69, "C5H9"},
    {70, "C3H6CO"},   {71, "C3H5NO"},     {71, "C5H11"},      {72, "C5H12"},     {72, "C3H8CO"},
    {73, "C2H5CO2"},  {73, "C3H9Si"},     {74, "C4H9OH"},     {74, "C2H5COOH"},  {76, "C3H6 + H2S"},
    {76, "C2H5SiOH"}, {79, "Br"},         {82, "C6H10"},      {90, "C3H8SiOH"},  {121, "C7H5O2"},
}};

/// A field read as a whole number; empty or blank reads as 0.
std::optional<std::int32_t> readMassField(std::string_view text) {
    if (text.find_first_not_of(" \t") == std::string_view::npos) return 0;
    return readWholeNumberField(text);
}

} // namespace

std::span<const CommonLoss> CommonLosses() {
    return kCommonLosses;
}

std::int32_t LossWindowMolecularMass(std::int32_t nominalMass, float monoMass, bool accurateMass) {
    if (!accurateMass) return nominalMass;
    return static_cast<std::int32_t>(Round(static_cast<double>(monoMass)));
}

std::optional<std::string> ComputeLoss(std::string_view molecularMass, std::string_view loss) {
    if (loss.find_first_not_of(" \t") == std::string_view::npos) return std::string();
    const std::optional<std::int32_t> whole = readWholeNumberField(molecularMass);
    const std::optional<std::int32_t> lost = readWholeNumberField(loss);
    if (!whole || !lost) return std::nullopt;
    return std::to_string(static_cast<std::int64_t>(*whole) - *lost);
}

std::span<const NeutralEntry> NeutralTable() {
    return kNeutralTable;
}

std::vector<std::string_view> NeutralsOfMass(std::int64_t mass) {
    std::vector<std::string_view> names;
    for (const NeutralEntry& entry : kNeutralTable) {
        if (entry.mass > mass) break;
        if (entry.mass == mass) names.push_back(entry.name);
    }
    return names;
}

std::optional<DeltaMassResult> LookUpDeltaMass(std::string_view mass1, std::string_view mass2) {
    const std::optional<std::int32_t> first = readMassField(mass1);
    const std::optional<std::int32_t> second = readMassField(mass2);
    if (!first || !second || *first < 1 || *second < 1) return std::nullopt;
    DeltaMassResult result;
    result.difference = std::abs(static_cast<std::int64_t>(*first) - *second);
    result.neutrals = NeutralsOfMass(result.difference);
    return result;
}

} // namespace qzx
