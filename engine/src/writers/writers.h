// One function per output format, selected by OUTKOO through the format table.
#pragma once

#include "output_writer.h"

namespace tarvex::writers {

int twoColumnsUpperFirst(WriterContext& ctx);   // format 1, code 1
int threeColumnsTeToLe(WriterContext& ctx);     // format 3, code 2
int twoColumnsLowerFirst(WriterContext& ctx);   // format 2, code 3
int threeColumnsLeToTe(WriterContext& ctx);     // format 4, code 4
int epplerFxpr(WriterContext& ctx);             // 5
int cef(WriterContext& ctx);                    // 6
int airfoil0(WriterContext& ctx);               // 7
int vsaero(WriterContext& ctx);                 // 8
int autocadScript(WriterContext& ctx);          // 9
int vuzOvoravKsc(WriterContext& ctx);           // 10
int autocadDxf(WriterContext& ctx);             // 11
int rhinoScript(WriterContext& ctx);            // 12
int xmlDocument(WriterContext& ctx);            // 13
int fortranBasic(WriterContext& ctx);           // 14
int cJava(WriterContext& ctx);                  // 15
int thicknessCamber(WriterContext& ctx);        // 16
int pmarcCmarc(WriterContext& ctx);             // 17

}  // namespace tarvex::writers
