// One function per output format, selected by OUTKOO through its writer code.
#pragma once

#include "writers/output_writer.h"

namespace tarvex::writers {

int twoColumnsUpperFirst(const WriterContext& ctx);  // format 1, code 1
int threeColumnsTeToLe(const WriterContext& ctx);    // format 3, code 2
int twoColumnsLowerFirst(const WriterContext& ctx);  // format 2, code 3
int threeColumnsLeToTe(const WriterContext& ctx);    // format 4, code 4
int epplerFxpr(const WriterContext& ctx);            // 5
int cef(const WriterContext& ctx);                   // 6
int airfoil0(const WriterContext& ctx);              // 7
int vsaero(const WriterContext& ctx);                // 8
int autocadScript(const WriterContext& ctx);         // 9
int vuzOvoravKsc(const WriterContext& ctx);          // 10
int autocadDxf(const WriterContext& ctx);            // 11
int rhinoScript(const WriterContext& ctx);           // 12
int xmlDocument(const WriterContext& ctx);           // 13
int fortranBasic(const WriterContext& ctx);          // 14
int cJava(const WriterContext& ctx);                 // 15
int thicknessCamber(const WriterContext& ctx);       // 16
int pmarcCmarc(const WriterContext& ctx);            // 17
int svgDrawing(const WriterContext& ctx);            // 18
int gmshGeometry(const WriterContext& ctx);          // 19
int dxfR2000(const WriterContext& ctx);              // 20
int seligLayout(const WriterContext& ctx);           // 21
int lednicerLayout(const WriterContext& ctx);        // 22

}  // namespace tarvex::writers
