#include "platform/catalog/IconArt.h"

#include <string_view>

namespace linkwatch::icon_art {
namespace {

// Builds one SVG document; shapes are appended as elements.
class SvgDocument {
 public:
  explicit SvgDocument(const IconPalette& palette) : palette_(palette) {
    text_ = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" "
            "viewBox=\"0 0 16 16\">";
    if (palette_.gloss) {
      text_ +=
          "<defs><linearGradient id=\"gloss\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
          "<stop offset=\"0\" stop-color=\"#FFFFFF\" stop-opacity=\"0.55\"/>"
          "<stop offset=\"1\" stop-color=\"#FFFFFF\" stop-opacity=\"0\"/>"
          "</linearGradient></defs>";
    }
  }

  void Add(std::string_view element) { text_ += element; }

  // A white highlight over the upper part of a filled shape (high colour only).
  void Gloss(std::string_view shapeElementWithoutFill) {
    if (!palette_.gloss) return;
    text_ += shapeElementWithoutFill;
    text_.insert(text_.size() - 2, " fill=\"url(#gloss)\"");
  }

  std::string Finish() { return text_ + "</svg>"; }

 private:
  const IconPalette& palette_;
  std::string text_;
};

std::string Attr(std::string_view name, std::string_view value) {
  return std::string(" ") + std::string(name) + "=\"" + std::string(value) + "\"";
}

std::string Disc(std::string_view fill, std::string_view stroke) {
  return "<circle cx=\"8\" cy=\"8\" r=\"7\"" + Attr("fill", fill) + Attr("stroke", stroke) + "/>";
}

const char* StatusColour(InterfaceStatus status, const IconPalette& p) {
  switch (status) {
    case InterfaceStatus::Up: return p.up;
    case InterfaceStatus::Down: return p.down;
    case InterfaceStatus::Testing: return p.testing;
    case InterfaceStatus::Unknown: return p.unknown;
    case InterfaceStatus::Dormant: return p.dormant;
    case InterfaceStatus::NotPresent: return p.notPresent;
    case InterfaceStatus::LowerLayerDown: return p.lowerLayerDown;
    case InterfaceStatus::AdminDown: return p.adminDown;
  }
  return p.unknown;
}

const char* FamilyColour(InterfaceFamily family, const IconPalette& p) {
  switch (family) {
    case InterfaceFamily::Ethernet: return p.ethernet;
    case InterfaceFamily::Wireless: return p.wireless;
    case InterfaceFamily::Loopback: return p.loopback;
    case InterfaceFamily::Tunnel: return p.tunnel;
    case InterfaceFamily::Wan: return p.wan;
    case InterfaceFamily::Virtual: return p.virtualLink;
    case InterfaceFamily::Other: return p.other;
  }
  return p.other;
}

std::string_view StatusWord(InterfaceStatus status) {
  switch (status) {
    case InterfaceStatus::Up: return "up";
    case InterfaceStatus::Down: return "down";
    case InterfaceStatus::Testing: return "testing";
    case InterfaceStatus::Unknown: return "unknown";
    case InterfaceStatus::Dormant: return "dormant";
    case InterfaceStatus::NotPresent: return "notpresent";
    case InterfaceStatus::LowerLayerDown: return "lowerlayerdown";
    case InterfaceStatus::AdminDown: return "admindown";
  }
  return "unknown";
}

// The mark inside a status disc.
std::string StatusGlyph(InterfaceStatus status, const IconPalette& p) {
  const std::string glyph = Attr("fill", p.glyph);
  switch (status) {
    case InterfaceStatus::Up:  // arrow up
      return "<polygon points=\"8,3 13,8.5 10,8.5 10,13 6,13 6,8.5 3,8.5\"" + glyph + "/>";
    case InterfaceStatus::Down:  // arrow down
    case InterfaceStatus::LowerLayerDown:
      return "<polygon points=\"8,13 13,7.5 10,7.5 10,3 6,3 6,7.5 3,7.5\"" + glyph + "/>";
    case InterfaceStatus::Testing:  // exclamation mark
      return "<rect x=\"7\" y=\"3.5\" width=\"2\" height=\"6\"" + glyph +
             "/><rect x=\"7\" y=\"10.5\" width=\"2\" height=\"2\"" + glyph + "/>";
    case InterfaceStatus::Unknown:  // question mark
      return "<path d=\"M5.5 6a2.5 2.5 0 1 1 3.5 2.3c-.6.3-1 .7-1 1.4V10.5\" fill=\"none\"" +
             Attr("stroke", p.glyph) + " stroke-width=\"1.8\"/><rect x=\"7.1\" y=\"11.5\" "
             "width=\"1.8\" height=\"1.8\"" + glyph + "/>";
    case InterfaceStatus::Dormant:  // crescent moon
      return "<circle cx=\"8\" cy=\"8\" r=\"4.5\"" + glyph + "/><circle cx=\"10\" cy=\"6.5\" "
             "r=\"4\"" + Attr("fill", p.dormant) + "/>";
    case InterfaceStatus::AdminDown:  // bar: switched off on purpose
      return "<rect x=\"3.5\" y=\"7\" width=\"9\" height=\"2\"" + glyph + "/>";
    case InterfaceStatus::NotPresent:
      return {};
  }
  return {};
}

std::string FamilyShape(InterfaceFamily family, const IconPalette& p) {
  const std::string colour = FamilyColour(family, p);
  const std::string stroke = Attr("stroke", p.outline);
  switch (family) {
    case InterfaceFamily::Ethernet:  // an RJ45 socket seen from the front
      return "<rect x=\"1.5\" y=\"2.5\" width=\"13\" height=\"11\" rx=\"1\"" + Attr("fill", colour) +
             stroke + "/><path d=\"M4 6h8v5h-2v1.5h-4V11H4z\"" + Attr("fill", p.glyph) + stroke +
             " stroke-width=\"0.5\"/><path d=\"M5.5 6v2M7 6v2M8.5 6v2M10 6v2\"" + stroke +
             " stroke-width=\"0.6\"/>";
    case InterfaceFamily::Wireless:  // radio waves above a dot
      return "<circle cx=\"8\" cy=\"12.5\" r=\"1.5\"" + Attr("fill", colour) + "/>"
             "<path d=\"M5 10a4.2 4.2 0 0 1 6 0M2.8 7.7a7.4 7.4 0 0 1 10.4 0M0.8 5.4a10.4 10.4 0 0 1"
             " 14.4 0\" fill=\"none\"" + Attr("stroke", colour) +
             " stroke-width=\"1.5\" stroke-linecap=\"round\"/>";
    case InterfaceFamily::Loopback:  // an arrow turning back on itself
      return "<path d=\"M12.5 8a4.5 4.5 0 1 1-1.3-3.2\" fill=\"none\"" + Attr("stroke", colour) +
             " stroke-width=\"2\"/><polygon points=\"13.5,2 13.5,6.5 9,6.5\"" +
             Attr("fill", colour) + "/>";
    case InterfaceFamily::Tunnel:  // a pipe seen from the side
      return "<rect x=\"3\" y=\"4\" width=\"10\" height=\"8\"" + Attr("fill", colour) + stroke +
             "/><ellipse cx=\"3\" cy=\"8\" rx=\"2\" ry=\"4\"" + Attr("fill", p.glyph) + stroke +
             "/><ellipse cx=\"13\" cy=\"8\" rx=\"2\" ry=\"4\"" + Attr("fill", colour) + stroke + "/>";
    case InterfaceFamily::Wan:  // a serial line between two ends
      return "<rect x=\"0.5\" y=\"5.5\" width=\"3\" height=\"5\"" + Attr("fill", colour) + stroke +
             "/><rect x=\"12.5\" y=\"5.5\" width=\"3\" height=\"5\"" + Attr("fill", colour) +
             stroke + "/><polyline points=\"3.5,8 6,4 8,12 10,4 12.5,8\" fill=\"none\"" +
             Attr("stroke", colour) + " stroke-width=\"1.5\"/>";
    case InterfaceFamily::Virtual:  // a dashed outline around a small box
      return "<rect x=\"1.5\" y=\"1.5\" width=\"13\" height=\"13\" fill=\"none\"" +
             Attr("stroke", colour) + " stroke-width=\"1.2\" stroke-dasharray=\"2,1.5\"/>"
             "<rect x=\"5\" y=\"5\" width=\"6\" height=\"6\"" + Attr("fill", colour) + stroke + "/>";
    case InterfaceFamily::Other:  // a plain connector
      return "<rect x=\"3\" y=\"3\" width=\"10\" height=\"10\" rx=\"1.5\"" + Attr("fill", colour) +
             stroke + "/><rect x=\"6\" y=\"6\" width=\"4\" height=\"4\"" + Attr("fill", p.glyph) +
             "/>";
  }
  return {};
}

}  // namespace

std::string StatusIconName(InterfaceStatus status) {
  return "status-" + std::string(StatusWord(status));
}

std::string FamilyIconName(InterfaceFamily family) {
  return "iftype-" + std::string(FamilyWord(family));
}

std::string VendorIconName(const VendorBadge* badge) {
  return std::string("vendor-") + (badge ? badge->key : "generic");
}

std::string StatusIconSvg(InterfaceStatus status, const IconPalette& palette) {
  SvgDocument svg(palette);
  if (status == InterfaceStatus::NotPresent) {
    // Nothing there: only a dashed outline.
    svg.Add("<circle cx=\"8\" cy=\"8\" r=\"6.5\" fill=\"none\"" +
            Attr("stroke", palette.notPresent) + " stroke-width=\"1.5\" stroke-dasharray=\"2,2\"/>");
    return svg.Finish();
  }
  svg.Add(Disc(StatusColour(status, palette), palette.outline));
  svg.Gloss("<ellipse cx=\"8\" cy=\"5.5\" rx=\"5.5\" ry=\"4\"/>");
  svg.Add(StatusGlyph(status, palette));
  return svg.Finish();
}

std::string FamilyIconSvg(InterfaceFamily family, const IconPalette& palette) {
  SvgDocument svg(palette);
  svg.Add(FamilyShape(family, palette));
  if (family == InterfaceFamily::Ethernet || family == InterfaceFamily::Other) {
    svg.Gloss("<rect x=\"2\" y=\"3\" width=\"12\" height=\"4\" rx=\"1\"/>");
  }
  return svg.Finish();
}

std::string VendorIconSvg(const VendorBadge* badge, const IconPalette& palette) {
  SvgDocument svg(palette);
  const bool high = palette.gloss;
  const char* body = badge ? (high ? badge->highColor : badge->lowColor) : palette.genericDevice;
  // A box with port lights, like a switch or router front panel.
  svg.Add("<rect x=\"0.5\" y=\"3.5\" width=\"15\" height=\"9\" rx=\"1.5\"" + Attr("fill", body) +
          Attr("stroke", palette.outline) + "/>");
  svg.Gloss("<rect x=\"1\" y=\"4\" width=\"14\" height=\"4\" rx=\"1\"/>");
  svg.Add("<rect x=\"2\" y=\"10\" width=\"1.5\" height=\"1.5\"" + Attr("fill", palette.up) +
          "/><rect x=\"4.5\" y=\"10\" width=\"1.5\" height=\"1.5\"" + Attr("fill", palette.up) + "/>");
  if (badge) {
    svg.Add("<text x=\"10.5\" y=\"10.5\" font-family=\"sans-serif\" font-weight=\"bold\" "
            "font-size=\"6\" text-anchor=\"middle\"" + Attr("fill", palette.glyph) + ">" +
            badge->label + "</text>");
  }
  return svg.Finish();
}

}  // namespace linkwatch::icon_art
