// The reading page's script: background colours, font sizes and a status
// line. The choices are remembered between chapters (local storage of the
// reader's private web profile; kept for the run).
//
// ASCII only: the page is GBK and this file is read in the page's charset,
// so Chinese texts are written as \u escapes.

var TavelinColors = [
  // [background, text, dark]
  ["#f6f1e7", "#2b2b2b", false],  // paper
  ["#ffffff", "#222222", false],  // white
  ["#e3edcd", "#2b2b2b", false],  // green
  ["#dce8f3", "#2b2b2b", false],  // blue
  ["#ebe3f0", "#2b2b2b", false],  // lavender
  ["#e6e6e6", "#2b2b2b", false],  // grey
  ["#1e1f21", "#c9c6bf", true]    // night
];
var TavelinFonts = ["fonts_big", "fonts_mesne", "fonts_small"];
var TavelinMemory = {};

function TavelinLoad(key, fallback) {
  try {
    var value = window.localStorage.getItem("tavelin." + key);
    if (value !== null) return value;
  } catch (e) {}
  return TavelinMemory.hasOwnProperty(key) ? TavelinMemory[key] : fallback;
}

function TavelinSave(key, value) {
  TavelinMemory[key] = value;
  try {
    window.localStorage.setItem("tavelin." + key, value);
  } catch (e) {}
}

function TavelinMark(selector, chosen) {
  var links = document.querySelectorAll(selector);
  for (var i = 0; i < links.length; i++) {
    links[i].classList.toggle("chosen", links[i] === chosen);
  }
}

// Applies the remembered background colour (called early in the page).
function GetMode() {
  var index = parseInt(TavelinLoad("color", "0"), 10);
  if (!(index >= 0 && index < TavelinColors.length)) index = 0;
  TavelinApplyColor(index);
}

function TavelinApplyColor(index) {
  var color = TavelinColors[index];
  var body = document.body;
  if (!body) return;
  body.style.background = color[0];
  body.style.color = color[1];
  document.documentElement.style.background = color[0];
  body.classList.toggle("dark", color[2]);
  document.documentElement.classList.toggle("dark", color[2]);
  TavelinMark(".colors a", document.getElementById("color" + index));
}

// Chooses background colour `index` and remembers it.
function SetColor(index) {
  TavelinSave("color", String(index));
  TavelinApplyColor(index);
}

// Writes the row of background colours.
function SelectColors() {
  var html = "<span class=\"colors\">";
  for (var i = 0; i < TavelinColors.length; i++) {
    html += "<a id=\"color" + i + "\" href=\"javascript:void(0);\" onclick=\"SetColor(" + i +
            ");\" style=\"background:" + TavelinColors[i][0] + "\"></a>";
  }
  document.write(html + "</span>");
}

function TavelinApplyFont(name) {
  var body = document.body;
  if (!body) return;
  for (var i = 0; i < TavelinFonts.length; i++) body.classList.remove(TavelinFonts[i]);
  body.classList.add(name);
  var which = TavelinFonts.indexOf(name) + 1;
  TavelinMark(".font_1, .font_2, .font_3", document.querySelector(".font_" + which));
}

// Chooses a font size: "fonts_big", "fonts_mesne" or "fonts_small".
function ChangeFont(name) {
  if (TavelinFonts.indexOf(name) < 0) return;
  TavelinSave("font", name);
  TavelinApplyFont(name);
}

// Applies the remembered font size (called just before the chapter text).
function GetFont() {
  var name = TavelinLoad("font", "fonts_mesne");
  if (TavelinFonts.indexOf(name) < 0) name = "fonts_mesne";
  TavelinApplyFont(name);
  GetMode();
}

// The hover look of the script-switch cell.
function mhHover(className) {
  var link = document.getElementsByName("StranLink")[0];
  if (link && link.parentNode && link.parentNode.tagName === "TD") link.parentNode.className = className;
}

// Writes the status line: how far the chapter has been read.
function Gundong() {
  document.write("<span id=\"status\"></span>");
}

function TavelinShowProgress() {
  var status = document.getElementById("status");
  if (!status) return;
  var root = document.documentElement;
  var range = root.scrollHeight - root.clientHeight;
  var percent = range > 0 ? Math.round(100 * root.scrollTop / range) : 100;
  // "read N%"
  status.textContent = "\u5df2\u8bfb " + Math.min(100, Math.max(0, percent)) + "%";
}

// The page has loaded: marks the choices and starts the status line.
function init() {
  GetFont();
  TavelinShowProgress();
  window.addEventListener("scroll", TavelinShowProgress);
  window.addEventListener("resize", TavelinShowProgress);
}
