// The browser's own XML parser driving the core's XML events, as ui/web/page_runs.h
// writes them down: a GPX or TCX file's bytes decoded in the encoding they name, parsed by
// DOMParser and walked a slice at a time, so that the page stays responsive between
// slices. xmlEvents(bytes, number), for the page's opening of that number, gives a
// reader: step(ms) reads on for about ms milliseconds and says whether it is done,
// progress() how far it is (0 to 1), events() the records, and feed() gives the core's
// reader the records written since it last did (page_runs.cpp), so that the run is read a
// slice at a time too; at the end, the file's bytes with the opening's number.
//
// A document of more than a few points is parsed in pieces, each a slice's work: its points from the end of the
// first to the end of the last, cut after a point's end tag every PIECE characters, each
// piece parsed alone inside an element that declares the namespaces in scope there; the
// rest, with a processing instruction marking where the pieces were, as one small
// document. If DOMParser refuses the rest or any piece, the document is parsed whole, as
// one: a cut that fell inside a comment or a CDATA section leaves its piece unclosed, so
// no cut ever changes what is read.
Module['xmlEvents'] = (bytes, number = 0) => {
  const PIECE = 1 << 16, MARK = 'quorran-pieces', XMLNS = 'http://www.w3.org/2000/xmlns/';
  const POINT_END = /<\/(?:[A-Za-z_][\w.-]*:)?(?:trkpt|Trackpoint)\s*>/g;
  const encoder = new TextEncoder();
  let parts = [], records = '', done = false, text = null, spaces = new Map();
  let walks = [], pieces = [], wrapper = '', marker = null, read = 0, walked = 0, elements = 1, fed = -1;
  const flush = () => { parts.push(encoder.encode(records)); records = ''; };
  const end = last => { records += last; flush(); done = true; };
  const notWellFormed = (line, detail) => end('X' + line + '\0' + detail + '\0');

  // The encoding from the byte-order mark, the first "<" in UTF-16, or the declaration;
  // bytes that are not of it are refused, never read as something else.
  function decode() {
    const a = bytes[0], b = bytes[1];
    let label = a === 0xFF && b === 0xFE || a === 0x3C && b === 0 ? 'utf-16le' : a === 0xFE && b === 0xFF || a === 0 && b === 0x3C ? 'utf-16be' : '';
    if (!label) {
      const head = String.fromCharCode.apply(null, bytes.subarray(0, 200));
      const named = /^(?:\xEF\xBB\xBF)?\s*<\?xml[^>]*?\sencoding\s*=\s*["']([A-Za-z0-9._-]+)["']/.exec(head);
      label = named ? named[1] : 'utf-8';
    }
    try {
      return new TextDecoder(label, { fatal: true }).decode(bytes);
    } catch (e) {
      notWellFormed(0, `the bytes are not ${label}`);
      return null;
    }
  }

  // A document type can only come before the root element, after the declaration,
  // comments and processing instructions: found there, it is told before DOMParser reads
  // anything it declares.
  function declaresType() {
    const blanks = /\s*/y;
    for (let at = 0; ;) {
      blanks.lastIndex = at;
      blanks.exec(text);
      at = blanks.lastIndex;
      if (text.startsWith('<!DOCTYPE', at)) return true;
      const close = text.startsWith('<?', at) ? '?>' : text.startsWith('<!--', at) ? '-->' : null;
      if (!close || text.indexOf(close, at) < 0) return false;
      at = text.indexOf(close, at) + close.length;
    }
  }

  // The document DOMParser made of the text, or null when it is not well-formed.
  function parsed(source, whole) {
    const doc = new DOMParser().parseFromString(source, 'application/xml'), error = doc.querySelector('parsererror');
    if (!error) return doc;
    if (whole) {
      // Chromium: "error on line 5 at column 9: Opening and ending tag mismatch ...".
      const words = error.textContent, at = /line (\d+)(?: at column \d+: ([^\n]*))?/.exec(words) || [];
      notWellFormed(at[1] || 0, (at[2] || words.split('\n')[0]).trim());
    }
    return null;
  }

  function parseWhole() {
    fed = -1;
    parts = [];
    records = '';
    spaces = new Map();
    pieces = [];
    marker = null;
    walked = 0;
    const doc = parsed(text, true);
    if (!doc) return;
    elements = doc.getElementsByTagName('*').length;
    walks = [{ node: doc.documentElement, stop: doc }];
  }

  function parseInPieces() {
    const cuts = [];
    let last = 0;
    for (let match; (match = POINT_END.exec(text));) {
      last = match.index + match[0].length;
      if (!cuts.length || last - cuts[cuts.length - 1] >= PIECE) cuts.push(last);
    }
    if (last > cuts[cuts.length - 1]) cuts.push(last);
    if (cuts.length < 3) return parseWhole();
    const doc = parsed(text.slice(0, cuts[0]) + `<?${MARK}?>` + text.slice(cuts[cuts.length - 1]), false);
    const walker = doc && doc.createTreeWalker(doc, NodeFilter.SHOW_PROCESSING_INSTRUCTION);
    while (walker && (marker = walker.nextNode()) && marker.target !== MARK);
    if (!marker || !marker.parentNode || marker.parentNode.nodeType !== 1) return parseWhole();
    // The namespaces in scope at the mark, the nearest declaration of each prefix.
    const declared = new Map();
    for (let e = marker.parentNode; e && e.nodeType === 1; e = e.parentNode) {
      for (const a of e.attributes) if (a.namespaceURI === XMLNS && !declared.has(a.name)) declared.set(a.name, a.value);
    }
    const quoted = value => value.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/"/g, '&quot;');
    wrapper = '<' + MARK + [...declared].map(([name, value]) => ` ${name}="${quoted(value)}"`).join('') + '>';
    for (let i = 1; i < cuts.length; i++) pieces.push([cuts[i - 1], cuts[i]]);
    walks = [{ node: doc.documentElement, stop: doc }];
  }

  // A namespace's address is written once, and then named by its number.
  function space(uri) {
    let number = spaces.get(uri);
    if (number === undefined) {
      spaces.set(uri, number = spaces.size);
      records += 'N' + uri + '\0';
    }
    return number;
  }
  function start(element) {
    walked++;
    let attributes = '', n = 0;
    if (element.hasAttributes()) {
      for (const a of element.attributes) {
        if (a.namespaceURI === XMLNS) continue;
        n++;
        attributes += space(a.namespaceURI || '') + '\0' + a.localName + '\0' + a.value + '\0';
      }
    }
    const ns = space(element.namespaceURI || '');
    records += 'S' + ns + '\0' + element.localName + '\0' + n + '\0' + attributes;
  }

  // In document order, from walk.node until the walk climbs back to walk.stop: each
  // element's start, its children, its end. True once done; false when out of time, or at
  // the mark, where the pieces come.
  function walk(w, until) {
    let node = w.node;
    for (let n = 1; node; n++) {
      if ((n & 1023) === 0) {
        if (records.length > 1 << 20) flush();
        if (performance.now() > until) break;
      }
      if (node === marker && !w.marked) {
        w.marked = true;
        break;
      }
      const type = node.nodeType;
      if (type === 1) {
        start(node);
        if (node.firstChild) {
          node = node.firstChild;
          continue;
        }
        records += 'E';
      } else if (type === 3 || type === 4) {
        records += 'T' + node.data + '\0';
      }
      // On to the next sibling, ending each element left.
      while (!node.nextSibling) {
        node = node.parentNode;
        if (node === w.stop) return true;
        records += 'E';
      }
      node = node.nextSibling;
    }
    w.node = node;
    return !node;
  }

  return {
    step(ms) {
      const until = performance.now() + ms;
      if (!done && text === null) {
        text = decode();
        if (text === null) return done;
        if (declaresType()) end('D');
        else parseInPieces();
      }
      while (!done && performance.now() <= until) {
        const w = walks[walks.length - 1];
        if (!w) {
          end('');
        } else if (!walk(w, until)) {
          if (w.node !== marker || !w.marked) continue;
          // At the mark: the next piece, or on past the mark once they are all read.
          const piece = pieces.shift();
          if (!piece) {
            w.node = marker;
            marker = null;
            continue;
          }
          const doc = parsed(wrapper + text.slice(piece[0], piece[1]) + `</${MARK}>`, false);
          if (!doc) {
            parseWhole();
            continue;
          }
          read = piece[1];
          w.marked = false;
          if (doc.documentElement.firstChild) walks.push({ node: doc.documentElement.firstChild, stop: doc.documentElement });
        } else {
          walks.pop();
        }
      }
      return done;
    },
    progress: () => (done ? 1 : marker ? read / text.length : Math.min(1, walked / elements)),
    feed() {
      const give = (data, to) => {
        const at = Module._malloc(data.length);
        HEAPU8.set(data, at);
        to(at, data.length);
        Module._free(at);
      };
      if (fed < 0) {
        Module._quorran_run_read_begin(bytes.length);
        fed = 0;
      }
      for (; fed < parts.length; fed++) give(parts[fed], Module._quorran_run_read_part);
      if (!done) return;
      const at = Module._quorran_run_read_bytes(bytes.length);
      if (at) HEAPU8.set(bytes, at);
      Module._quorran_run_read_end(number);
    },
    events() {
      const all = new Uint8Array(parts.reduce((sum, p) => sum + p.length, 0));
      parts.reduce((at, p) => (all.set(p, at), at + p.length), 0);
      return all;
    },
  };
};
