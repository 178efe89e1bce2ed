#pragma once
// The bytes of a dBASE IV production index (.mdx): a file of 512-byte pages
// grouped in blocks (two pages, 1024 bytes, unless the header says otherwise).
// Page numbers are stored everywhere; a block's file offset is page * 512.
// Integers are little-endian. Constants only: the code is in MdxArchivo.cpp.
//
// File header (page 0), offsets:
//   0      version (2)
//   1..3   creation date YY MM DD (year - 1900)
//   4..19  table name without extension, zero padded
//   20..21 pages per block
//   22..23 block size in bytes
//   24     production index flag (1)
//   25     entries in the tag table (48)
//   26     length of a tag table entry (32)
//   28..29 tags in use
//   30     ordinal for the next tag
//   31     0x1B
//   32..35 pages in the file (the next page to hand out at the end)
//   36..39 first free page (0: none); a free block keeps the next one at 4..7
//   40..43 free blocks
//   44..46 last update YY MM DD
//   48..51 change counter: unused by the format; this system counts every
//          change there so a station can tell its cached pages are stale
//   52..75 also unused by the format; this system keeps two areas there,
//          each a run of whole blocks outside every tag and the free list:
//   52..55 first page of the intent area, 56..59 its blocks
//   60..63 bytes of the pending intent (0: none): what a table write is
//          about to do (opaque here), recorded before the write and cleared
//          after it, so a station that finds it set while nobody writes
//          (the writer died) finishes that write
//          (an intent of up to 436 bytes is kept at 76..511 instead)
//   64..67 first page of the page journal, 68..71 its blocks
//   72..75 bytes of the pending page journal (0: none): the pages of one
//          structural change (blocks taken or freed, interior nodes
//          written), and the header last, as they will be written in place;
//          a station that finds it set while nobody writes writes them all
//          again. Journal: uint32 entries, then per entry uint32 page,
//          uint32 length and the bytes.
//   76..511 a pending intent that fits (unused by the format too)
// Tag table from offset 544, one 32-byte entry per tag:
//   0..3   page of the tag header
//   4..14  tag name, upper case, zero padded
//   15     key format (0x10)
//   16,17  binary tree of tag names: tag (1-based) before and after this one
//   18     tag above this one in that tree
//   19     0x02
//   20     key type 'C', 'N' or 'D'
// Tag header (a block):
//   0..3   root page
//   4..7   pages used by the tag
//   8      key format: 0x10, + 0x08 descending, + 0x40 unique
//   9      key type
//   11     0x1B
//   12..13 key length
//   14..15 keys per node
//   16..17 secondary key type (1 for dates, else 0)
//   18..19 key item length: 4 + key length rounded up to a multiple of 4
//   20     serial number, counted up on every change of the tag
//   23     unique flag
//   24..   key expression, zero terminated (at most 220 bytes)
//   245    filter flag; 246 the tag has keys
//   248..251 first leaf page; 252..255 last leaf page
//   257..259 tag date YY MM DD
//   480    1 when the key is one field, 0 for an expression
// B-tree node (a block):
//   0..3   number of keys n
//   4..7   unused in a node (next free page in a free block)
//   8..    n items of [4-byte pointer][key, padded to the item length]
//   A leaf's pointers are record numbers and the 4 bytes after its last item
//   are 0. An interior node has n + 1 child pages: the pointer after its
//   last item is the last child. Key i of an interior node is the greatest
//   key in child i's subtree; the last child holds keys above key n - 1.
//   Equal keys are kept in record number order.
// Keys:
//   'C' the text in Windows-1252, padded with blanks to the key length.
//   'N' 12 bytes of decimal digits: byte 0 = 52 + digits before the decimal
//       point (0.0012 gives 52 - 2); byte 1 = sign 0x80 | digit count << 2 |
//       0x01; bytes 2..11 = up to 20 digits, two per byte, high nibble first,
//       without leading zeros (nor trailing zeros after the point). Zero is
//       52, 0x01 and no digits.
//   'D' the Julian day number as an 8-byte IEEE double (blank date: 0).

#include <cstdint>

namespace db::mdx {

inline constexpr int kPagina = 512;
inline constexpr int kPaginasPorBloque = 2;
inline constexpr int kBloque = kPagina * kPaginasPorBloque;

// File header.
inline constexpr int kVersion = 0;
inline constexpr std::uint8_t kValorVersion = 2;
inline constexpr int kFechaCreacion = 1;
inline constexpr int kNombreTabla = 4;
inline constexpr int kLargoNombreTabla = 16;
inline constexpr int kPaginasBloque = 20;
inline constexpr int kTamanoBloque = 22;
inline constexpr int kIndiceProduccion = 24;
inline constexpr int kEntradasTablaTags = 25;
inline constexpr std::uint8_t kValorEntradasTablaTags = 48;
inline constexpr int kLargoEntradaTag = 26;
inline constexpr std::uint8_t kValorLargoEntradaTag = 32;
inline constexpr int kTagsEnUso = 28;
inline constexpr int kSiguienteTag = 30;
inline constexpr int kMarca1B = 31;
inline constexpr int kPaginasArchivo = 32;
inline constexpr int kPrimeraLibre = 36;
inline constexpr int kBloquesLibres = 40;
inline constexpr int kFechaCambio = 44;
inline constexpr int kContadorCambios = 48;
inline constexpr int kAreaIntencion = 52;
inline constexpr int kLargoIntencion = 60;
inline constexpr int kAreaDiario = 64;
inline constexpr int kLargoDiario = 72;
inline constexpr int kIntencionEnLinea = 76;
inline constexpr std::uint32_t kMaxIntencionEnLinea = kPagina - kIntencionEnLinea;
// Bytes a station re-reads at every operation to see whether the file
// changed or a write was left halfway.
inline constexpr int kLargoEncabezadoVivo = 76;

// Tag table.
inline constexpr int kTablaTags = 544;
inline constexpr int kMaxTags = 47;
inline constexpr int kPaginasIniciales = 4;  // header and tag table: pages 0..3
inline constexpr int kTagPagina = 0;
inline constexpr int kTagNombre = 4;
inline constexpr int kLargoNombreTag = 10;
inline constexpr int kTagFormato = 15;
inline constexpr std::uint8_t kValorTagFormato = 0x10;
inline constexpr int kTagHijoMenor = 16;
inline constexpr int kTagHijoMayor = 17;
inline constexpr int kTagPadre = 18;
inline constexpr int kTag02 = 19;
inline constexpr int kTagTipo = 20;

// Tag header.
inline constexpr int kCabRaiz = 0;
inline constexpr int kCabPaginas = 4;
inline constexpr int kCabFormato = 8;
inline constexpr std::uint8_t kFormatoBase = 0x10;
inline constexpr std::uint8_t kFormatoDescendente = 0x08;
inline constexpr std::uint8_t kFormatoUnico = 0x40;
inline constexpr int kCabTipo = 9;
inline constexpr int kCab1B = 11;
inline constexpr int kCabLargoClave = 12;
inline constexpr int kCabClavesPorNodo = 14;
inline constexpr int kCabTipoSecundario = 16;
inline constexpr int kCabLargoItem = 18;
inline constexpr int kCabSerie = 20;
inline constexpr int kCabUnico = 23;
inline constexpr int kCabExpresion = 24;
inline constexpr int kLargoExpresion = 220;
inline constexpr int kCabFiltro = 245;
inline constexpr int kCabTieneClaves = 246;
inline constexpr int kCabPrimeraHoja = 248;
inline constexpr int kCabUltimaHoja = 252;
inline constexpr int kCabFecha = 257;
inline constexpr int kCabUnCampo = 480;

// Nodes.
inline constexpr int kNodoCuenta = 0;
inline constexpr int kNodoSiguienteLibre = 4;
inline constexpr int kNodoItems = 8;
inline constexpr int kPuntero = 4;

// Keys.
inline constexpr int kMaxLargoCaracter = 100;
inline constexpr int kLargoNumero = 12;
inline constexpr int kLargoFecha = 8;
inline constexpr int kBaseExponente = 52;
inline constexpr int kMaxDigitos = 20;
inline constexpr std::uint8_t kSignoNegativo = 0x80;
inline constexpr std::uint8_t kMarcaDigitos = 0x01;

}  // namespace db::mdx
