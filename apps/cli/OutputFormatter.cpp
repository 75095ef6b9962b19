#include "OutputFormatter.h"

#include "JsonFormatter.h"
#include "TableFormatter.h"
#include "TsvFormatter.h"

namespace linkwatch::cli {

std::unique_ptr<OutputFormatter> OutputFormatter::For(OutputFormat format) {
  switch (format) {
    case OutputFormat::Tsv: return std::make_unique<TsvFormatter>();
    case OutputFormat::Json: return std::make_unique<JsonFormatter>();
    case OutputFormat::Table: break;
  }
  return std::make_unique<TableFormatter>();
}

}  // namespace linkwatch::cli
