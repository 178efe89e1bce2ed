#pragma once
// The bytes of a dBASE III/IV table (.dbf) and its memo file (.dbt), and the
// byte ranges this layer locks between stations. Constants only.
//
// .dbf
//   Header, 32 bytes:
//     0      version: 0x03 no memo; 0x83 dBASE III memo (.dbt III layout,
//            the one this layer creates);
//            0x8B dBASE IV memo (.dbt IV layout); 0x43, 0x63, 0x8E, 0xCB
//            (other dBASE IV variants) are read too; anything else is
//            refused as a foreign file
//     1..3   last update: year - 1900, month, day
//     4..7   record count, uint32 little-endian
//     8..9   header length (header + descriptors + 0x0D [+ padding])
//     10..11 record length (deletion mark + fields)
//     28     production index (.mdx) present: 1
//     29     language driver (0x57: Windows ANSI, code page 1252)
//   Field descriptors from byte 32, 32 bytes each, ended by 0x0D:
//     0..10  name, ASCII, zero padded
//     11     type letter C N F D L M
//     16     length; 17 decimals
//     31     field has a tag in the production index: 1
//   Records from the header length on: a deletion mark (' ' live, '*'
//   deleted) then the fields in descriptor order, as text:
//     C  Windows-1252, left-aligned, blank padded (all blank: null)
//     N  F  right-aligned decimal text ("-12.50"), all blank: null
//     D  yyyyMMdd, all blank: null
//     L  T t Y y true, F f N n false, ' ' or '?' null
//     M  block number of the memo in the .dbt, right-aligned digits; blank
//        or 0: null
//   After the last record: 0x1A.
//
// .dbt (blocks; block 0 is the header)
//   0..3   next free block, uint32 little-endian
//   III layout: 512-byte blocks; byte 16 is 0x03. A memo is its text ended
//          by 0x1A 0x1A, over as many blocks as it needs.
//   IV layout: 8..15 table name; 20..21 block length (512 by default). A
//          memo block starts FF FF 08 00, then uint32 length of text + 8,
//          then the text.
//
// Locks between stations: the bytes of Bloqueo.h on the .dbf (kBloqueoEscritura
// also covers writes of memos and index keys).
//
// Record count: the records wholly present between the header and the end
// of the file. An append writes the record and 0x1A first and the header
// count after, so a writer that dies in between leaves a file whose header
// count is one short and whose records are all whole; such a file opens with
// every whole record.

#include <cstdint>

namespace db::dbf {

inline constexpr int kLongCabecera = 32;
inline constexpr int kLongDescriptor = 32;
inline constexpr char kFinDescriptores = 0x0D;
inline constexpr char kFinArchivo = 0x1A;
inline constexpr char kVivo = ' ';
inline constexpr char kBorrado = '*';

inline constexpr int kPosVersion = 0;
inline constexpr int kPosFecha = 1;
inline constexpr int kPosCuenta = 4;
inline constexpr int kPosLongCabecera = 8;
inline constexpr int kPosLongRegistro = 10;
inline constexpr int kPosIndiceProduccion = 28;
inline constexpr int kPosIdioma = 29;

inline constexpr int kDescNombre = 0;
inline constexpr int kDescLongNombre = 11;
inline constexpr int kDescTipo = 11;
inline constexpr int kDescAncho = 16;
inline constexpr int kDescDecimales = 17;
inline constexpr int kDescTag = 31;

inline constexpr std::uint8_t kVersionSinMemo = 0x03;
inline constexpr std::uint8_t kVersionMemoIII = 0x83;
inline constexpr std::uint8_t kVersionMemoIV = 0x8B;
inline constexpr std::uint8_t kIdiomaAnsi = 0x57;

inline constexpr int kMaxCampos = 255;
inline constexpr int kMaxAnchoTexto = 254;
inline constexpr int kMaxAnchoNumero = 20;
inline constexpr int kAnchoFecha = 8;
inline constexpr int kAnchoLogico = 1;
inline constexpr int kAnchoMemo = 10;
inline constexpr int kMaxLongRegistro = 65535;

// .dbt
inline constexpr int kBloqueMemo = 512;
inline constexpr int kMemoPosSiguiente = 0;
inline constexpr int kMemoPosVersionIII = 16;
inline constexpr int kMemoPosNombreIV = 8;
inline constexpr int kMemoPosBloqueIV = 20;
inline constexpr unsigned char kMemoMarcaIV[4] = {0xFF, 0xFF, 0x08, 0x00};
inline constexpr int kMemoCabeceraIV = 8;

}  // namespace db::dbf
