#include "Jet4HeaderPage.h"

#include "Jet4Format.h"
#include "Jet4Rc4.h"

#include <cstring>

namespace {

// The fixed key that masks bytes 0x18 to 0x97 of every Jet header page.
constexpr std::uint32_t kHeaderMaskKey = 0x6b39dac7;
constexpr int kMaskedStart = 0x18;
constexpr int kMaskedLength = 128;
constexpr int kVersionOffset = 0x14;
constexpr int kCodePageOffset = 0x3c;
constexpr int kEncodingKeyOffset = 0x3e;
constexpr int kSortOrderOffset = 0x6e;
constexpr int kCreationDateOffset = 0x72;
constexpr std::uint32_t kJet4 = 1;
constexpr std::uint32_t kAce12 = 2;
constexpr std::uint32_t kWindows1252 = 1252;
constexpr std::uint32_t kGeneralSortOrder = 0x0409;

} // namespace

namespace Jet4HeaderPage {

QByteArray build(std::uint32_t encodingKey, Jet4FileFormat format)
{
    using namespace Jet4Format;
    QByteArray page(kPageSize, '\0');
    page[0] = kPageHeader;
    page[1] = 0x01;
    const bool ace = format == Jet4FileFormat::Ace12;
    std::memcpy(page.data() + 4, ace ? "Standard ACE DB" : "Standard Jet DB", 15);
    put32(page, kVersionOffset, ace ? kAce12 : kJet4);
    put16(page, kCodePageOffset, kWindows1252);
    put32(page, kEncodingKeyOffset, encodingKey);
    put16(page, kSortOrderOffset, kGeneralSortOrder);
    // A fixed creation date keeps files made from the same input identical.
    const double creationDate = 45000.0;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &creationDate, sizeof bits);
    put32(page, kCreationDateOffset, static_cast<std::uint32_t>(bits));
    put32(page, kCreationDateOffset + 4, static_cast<std::uint32_t>(bits >> 32));
    return Jet4Rc4::apply(kHeaderMaskKey, page.data() + kMaskedStart, kMaskedLength) ? page : QByteArray();
}

} // namespace Jet4HeaderPage
