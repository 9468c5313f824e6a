// The browser's own XML parser driving the core's XML events, as ui/web/page_runs.h
// writes them down: a GPX or TCX file's bytes decoded in the encoding they name, parsed by
// DOMParser and walked a slice at a time, so that the page stays responsive between
// slices. xmlEvents(bytes) gives a reader: step(ms) reads on for about ms milliseconds and
// says whether it is done, progress() how far it is (0 to 1), events() the records.
Module['xmlEvents'] = bytes => {
  const encoder = new TextEncoder(), parts = [];
  let records = '', done = false, root = null, node = null, walked = 0, elements = 1;
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
  function declaresType(text) {
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

  function parse() {
    const text = decode();
    if (text === null) return;
    if (declaresType(text)) return end('D');
    const doc = new DOMParser().parseFromString(text, 'application/xml');
    const error = doc.querySelector('parsererror');
    if (error) {
      // Chromium: "error on line 5 at column 9: Opening and ending tag mismatch ...".
      const words = error.textContent, at = /line (\d+)(?: at column \d+: ([^\n]*))?/.exec(words) || [];
      return notWellFormed(at[1] || 0, (at[2] || words.split('\n')[0]).trim());
    }
    elements = doc.getElementsByTagName('*').length;
    root = node = doc.documentElement;
  }

  // In document order, from the root: each element's start, its children, its end.
  const XMLNS = 'http://www.w3.org/2000/xmlns/';
  // A namespace's address is written once, and then named by its number.
  const spaces = new Map();
  const space = uri => {
    let number = spaces.get(uri);
    if (number === undefined) {
      spaces.set(uri, number = spaces.size);
      records += 'N' + uri + '\0';
    }
    return number;
  };
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
  function walk(until) {
    for (let n = 0; node; n++) {
      if ((n & 1023) === 0) {
        if (records.length > 1 << 20) flush();
        if (performance.now() > until) return;
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
        if (node === root.parentNode) {
          node = null;
          return end('');
        }
        records += 'E';
      }
      node = node.nextSibling;
    }
  }

  return {
    step(ms) {
      const until = performance.now() + ms;
      if (!done && !root) parse();
      if (!done) walk(until);
      return done;
    },
    progress: () => (done ? 1 : walked / elements),
    events() {
      const all = new Uint8Array(parts.reduce((sum, p) => sum + p.length, 0));
      parts.reduce((at, p) => (all.set(p, at), at + p.length), 0);
      return all;
    },
  };
};
