#pragma once
// The bytes of a Paradox table file (.DB).
//
//   header      headerSize bytes (a multiple of 0x800)
//   block 1     blockKB * 0x400 bytes
//   block 2     ...
//
// Control values (the header, the block headers) are little-endian. Field
// values inside records are big-endian with the sign bit flipped, so that a
// record of zero bytes is a record of blank fields.
//
// The header holds a fixed part (0x00..0x57), for version 4 and later tables
// a data part (0x58..0x77), then in sequence: one (type, size) pair per
// field, a 4-byte table-name pointer, one 4-byte name pointer per field, the
// table name (79 bytes, 261 from version 7), the NUL-terminated field names,
// one 16-bit field number per field and the NUL-terminated sort order name.
// The pointers only mean something to a program that holds the header in
// memory; on disk they may be zero.
//
// This system keeps two change counters in the header's padding, past the
// bytes in use (kTamCabeceraUsada), when 16 bytes are free there (always in
// the tables it creates); each a uint64 in the machine's order, the two
// ending the header:
//   headerSize - 16  list counter: counted up by every write that moves rows
//                    between blocks (insert, delete, empty, pack), so a
//                    station may keep the list of blocks while it holds
//   headerSize - 8   change counter: odd while a write is under way (made
//                    odd at its start, even at its end), so a station that
//                    reads without the lock tells a half-made change and
//                    reads again
// Tables without the room are read under the lock every time.
//
// Data blocks form a doubly linked list that gives the order of the rows:
//
//   +0  u16  next block number (0: last block)
//   +2  u16  previous block number (0: first block)
//   +4  i16  offset of the last record from +6: (records - 1) * recordSize,
//            -recordSize for an empty block
//   +6  records, one after another
//
// Block n starts at headerSize + (n - 1) * blockSize. Blocks emptied by
// deletions are chained through their "next" word from the header's first
// free block.

#include <cstdint>

namespace db::paradox {

// Fixed part of the header.
inline constexpr int kTamRegistro = 0x00;       // u16 record size
inline constexpr int kTamCabecera = 0x02;       // u16 header size
inline constexpr int kTipoArchivo = 0x04;       // u8, kTablaConLlave or kTablaSinLlave
inline constexpr int kTamBloque = 0x05;         // u8 block size in units of 0x400 bytes
inline constexpr int kNumRegistros = 0x06;      // u32 rows in the table
inline constexpr int kBloquesEnUso = 0x0A;      // u16 blocks in the list of rows
inline constexpr int kBloquesArchivo = 0x0C;    // u16 blocks in the file
inline constexpr int kPrimerBloque = 0x0E;      // u16 first block of the list, 0 when empty
inline constexpr int kUltimoBloque = 0x10;      // u16 last block of the list, 0 when empty
inline constexpr int kNumCampos = 0x21;         // u16
inline constexpr int kCamposLlave = 0x23;       // u16 fields of the primary key
inline constexpr int kCifrado1 = 0x25;          // u32 password code (versions 3.x), kSinCifrado1 later
inline constexpr int kOrden = 0x29;             // u8 sort order code
inline constexpr int kVersion = 0x39;           // u8 file version
inline constexpr int kMaxBloques = 0x3A;        // u16 same as kBloquesArchivo
inline constexpr int kFijo3E = 0x3E;            // 2 bytes, always 0x1F 0x0F
inline constexpr int kPrimerLibre = 0x4D;       // u16 first free block, 0 when none
inline constexpr int kTamCabeceraUsada = 0x51;  // u16 bytes of the header in use
inline constexpr int kFinCabeceraComun = 0x58;

// The counters, as bytes before the end of the header.
inline constexpr int kContadorLista = 16;
inline constexpr int kContadorCambios = 8;

// Data part of the header (versions 4 and later).
inline constexpr int kVersionDatos1 = 0x58;     // u16 0x0100 | version
inline constexpr int kVersionDatos2 = 0x5A;     // u16 the same
inline constexpr int kCifrado2 = 0x5C;          // u32 password code, 0 when none
inline constexpr int kCampoSiguiente = 0x64;    // u16 number of fields + 1
inline constexpr int kCodigoPagina = 0x6A;      // u16 code page of the texts
inline constexpr int kFinCabeceraDatos = 0x78;

inline constexpr uint8_t kTablaConLlave = 0;
inline constexpr uint8_t kTablaSinLlave = 2;

// File versions: 3 and 4 have no data part; 12 (7.x) has the long table name.
inline constexpr uint8_t kVersionMinima = 3;
inline constexpr uint8_t kVersionConDatos = 5;
inline constexpr uint8_t kVersion7 = 12;
inline constexpr uint8_t kVersionMaxima = 15;
inline constexpr int kNombreTablaCorto = 79;
inline constexpr int kNombreTablaLargo = 261;

inline constexpr uint32_t kSinCifrado1 = 0xFF00FF00u;
inline constexpr uint16_t kPaginaWindows1252 = 1252;
inline constexpr uint8_t kOrdenAnsiIntl = 0x62;
inline constexpr char kNombreOrdenAnsiIntl[] = "ANSIINTL";

inline constexpr int kUnidadCabecera = 0x800;
inline constexpr int kUnidadBloque = 0x400;
inline constexpr int kCabeceraBloque = 6;
inline constexpr int kLargoNombreCampo = 25;

// Field type codes and the bytes each takes in a record ('A' takes its width).
enum TipoCampo : uint8_t {
  kAlfa = 0x01,     // 'A' text, NUL-padded
  kFecha = 0x02,    // 'D' days since 31/12/0000, as a long
  kCorto = 0x03,    // 'S' 16-bit integer
  kLargo = 0x04,    // 'I' 32-bit integer
  kMoneda = 0x05,   // '$' double
  kNumero = 0x06,   // 'N' double
  kLogico = 0x09,   // 'L' kFalso or kVerdadero
};
inline constexpr int kLargoFecha = 4;
inline constexpr int kLargoCorto = 2;
inline constexpr int kLargoLargo = 4;
inline constexpr int kLargoDoble = 8;
inline constexpr int kLargoLogico = 1;
inline constexpr int kAnchoAlfaMaximo = 255;

inline constexpr uint8_t kFalso = 0x80;
inline constexpr uint8_t kVerdadero = 0x81;

// Day number of 1/1/0001 is 1; this is the Julian day of day 0.
inline constexpr int64_t kDiaJulianoCero = 1721425;

}  // namespace db::paradox
