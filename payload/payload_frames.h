#pragma once

#include <string>

#include "payload/binary_data.h"
#include "payload/binary_datas.h"

namespace tavo {

// The payloads the setup carries in its own file (payload_container.h), each reached through
// a frame that loads it when created and frees it with itself, so a payload occupies memory
// only while one operation needs it. The payload names in the container are the frames'
// component names.

// The setup file whose payloads the frames read: the running program unless another file
// was named (the tests name the built setup).
std::string PayloadSourceFile();
void SetPayloadSourceFile(std::string executable);

// The product's main program, stored plain.
class TFrame_Data_prog {
  public:
    TFrame_Data_prog();
    // False when the setup carries no main program (or its payloads cannot be read).
    bool Loaded() const { return loaded_; }
    TBinaryData data;

  private:
    bool loaded_ = false;
};

// The client library, stored compressed.
class Tframe_data_libmysql {
  public:
    Tframe_data_libmysql();
    bool Loaded() const { return loaded_; }
    TBinaryData libmySQL;

  private:
    bool loaded_ = false;
};

// The archive of the database server tree; it is read where it lies in the setup's file.
class TFrame_Data_MySQL {
  public:
    TFrame_Data_MySQL();
    bool Loaded() const { return loaded_; }
    TBinaryDatas mysql;

  private:
    bool loaded_ = false;
};

// The small blocks of the windows: "logo_quer" (main window), "LizenzDaten", "DataGPL" and
// "DataGPLde" (installation wizard). Fills block with the payload's bytes, Compressed and
// Extension; false, and block unchanged, when there is no such payload.
bool LoadSmallBlock(const std::string& component, TBinaryData& block);

// Writes the main program to path: an existing file is deleted first, and when it cannot be
// deleted nothing is written. True when the file was written; it is made executable.
bool SaveMainProgram(const std::string& path);

}  // namespace tavo
