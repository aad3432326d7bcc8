// The body of the page as the office gets it, read in the program's own world. The live
// document is only read; the copy is built in a document of its own that has no window, so
// nothing in it runs (no script, no element the page defined) and nothing in it is fetched.
// Only what this list allows is copied: known elements with a few attributes whose values are
// checked, links to web addresses, the page's look as plain values of its computed style, and
// text. Everything else that could name a file or an address (sources, backgrounds, style
// sheets, frames, objects, forms' targets, SVG) never reaches the copy.
//
// Each picture is drawn from the page's own decoded image and named picture<n>.png. A picture
// from another site that does not allow it to be read is listed by address, with its markup in
// the copy and the alternative text that takes its place should it not come; one the page has
// not shown (not loaded or failed) is left out and its alternative text stays. Pictures are
// drawn off screen and handed whole to a bitmap canvas: the first drawing on a page's own 2D
// canvas costs tens of milliseconds, this way a picture takes well under one.
//
// Form fields are copied as the text they show; a password shows as many dots as it has
// characters, and hidden fields stay out.
(function () {
  var body = document.body;
  if (!body) return '{}';
  var inert = document.implementation.createHTMLDocument('');
  var copy = inert.body;

  var number = /^\d{1,4}$/, size = /^\d{1,5}%?$/, align = /^(left|right|center|justify)$/i;
  var cell = {colspan: number, rowspan: number, width: size, align: align,
              valign: /^(top|middle|bottom|baseline)$/i, nowrap: /^(nowrap)?$/i};
  var kept = {
    a: {}, abbr: {}, address: {}, article: {}, aside: {}, b: {}, bdi: {}, bdo: {}, big: {}, blockquote: {},
    br: {}, caption: {}, center: {}, cite: {}, code: {}, col: {span: number, width: size},
    colgroup: {span: number, width: size}, dd: {}, del: {}, details: {}, dfn: {}, div: {}, dl: {}, dt: {},
    em: {}, fieldset: {}, figcaption: {}, figure: {}, footer: {}, h1: {}, h2: {}, h3: {}, h4: {}, h5: {},
    h6: {}, header: {}, hr: {}, i: {}, ins: {}, kbd: {}, label: {}, legend: {}, li: {value: number},
    main: {}, mark: {}, nav: {}, ol: {start: number, type: /^[1aAiI]$/, reversed: /^(reversed)?$/i},
    p: {}, pre: {}, q: {}, rp: {}, rt: {}, ruby: {}, s: {}, samp: {}, section: {}, small: {}, span: {},
    strike: {}, strong: {}, sub: {}, summary: {}, sup: {},
    table: {border: number, cellpadding: number, cellspacing: number, width: size},
    tbody: {}, td: cell, tfoot: {}, th: cell, thead: {}, time: {}, tr: {align: align, valign: cell.valign},
    tt: {}, u: {}, ul: {}, var: {}, wbr: {}
  };
  // Elements left out with all they hold: what they show is not text of the page, or they
  // name what would be fetched.
  var dropped = new Set(['script', 'noscript', 'style', 'link', 'meta', 'base', 'title', 'head', 'template',
      'iframe', 'frame', 'frameset', 'object', 'embed', 'applet', 'param', 'video', 'audio', 'source', 'track',
      'canvas', 'map', 'area', 'datalist', 'meter', 'progress', 'portal', 'option', 'optgroup']);
  var xhtml = 'http://www.w3.org/1999/xhtml';

  // The look of an element as plain computed values: colours, weight, slant, lines, alignment.
  var colour = /^rgba?\([\d.,\s%]+\)$/;
  var looks = [
    {name: 'color', inherited: true, valid: colour},
    {name: 'font-weight', inherited: true, valid: /^\d{3}$/},
    {name: 'font-style', inherited: true, valid: /^(normal|italic|oblique)$/},
    {name: 'text-align', inherited: true, valid: align},
    {name: 'background-color', inherited: false, valid: colour, none: /^rgba\(0, 0, 0, 0\)$|^transparent$/},
    {name: 'text-decoration-line', inherited: false, valid: /^[a-z -]+$/, none: /^none$/}
  ];
  function lookOf(style, parentStyle) {
    var parts = [];
    looks.forEach(function (look) {
      var value = style.getPropertyValue(look.name);
      if (!look.valid.test(value)) return;
      if (look.inherited ? parentStyle && value === parentStyle.getPropertyValue(look.name) : look.none.test(value))
        return;
      parts.push(look.name + ': ' + value);
    });
    return parts.join('; ');
  }

  function pictureData(image) {
    if (!image.complete || !image.naturalWidth) return '';
    try {
      var drawn = new OffscreenCanvas(image.naturalWidth, image.naturalHeight);
      drawn.getContext('2d').drawImage(image, 0, 0);
      var canvas = document.createElement('canvas');
      canvas.width = drawn.width;
      canvas.height = drawn.height;
      canvas.getContext('bitmaprenderer').transferFromImageBitmap(drawn.transferToImageBitmap());
      return canvas.toDataURL('image/png');
    } catch (e) {
      return '';
    }
  }

  var pictures = [];
  function picture(image) {
    var data = pictureData(image), unread = !data && image.complete && image.naturalWidth > 0;
    if (!data && !unread) return inert.createTextNode(image.alt || '');
    var element = inert.createElement('img');
    element.setAttribute('src', 'picture' + pictures.length + '.png');
    element.setAttribute('width', String(Math.round(image.width)));
    element.setAttribute('height', String(Math.round(image.height)));
    if (image.alt) element.setAttribute('alt', image.alt);
    pictures.push(data ? data.substring(data.indexOf(',') + 1) : {url: image.currentSrc, element: element, alt: image.alt || ''});
    return element;
  }

  function field(element) {
    var name = element.localName;
    if (name === 'textarea') return element.value;
    if (name === 'select')
      return Array.prototype.map.call(element.selectedOptions, function (option) { return option.label; }).join(', ');
    switch (element.type) {
    case 'hidden': return null;
    case 'password': return '\u2022'.repeat(element.value.length);
    case 'checkbox': return element.checked ? '\u2611' : '\u2610';
    case 'radio': return element.checked ? '\u25c9' : '\u25cb';
    case 'image': return element.alt;
    case 'file': return Array.prototype.map.call(element.files || [], function (file) { return file.name; }).join(', ');
    default: return element.value;
    }
  }

  function webAddress(anchor) {
    try {
      var address = new URL(anchor.href);
      return address.protocol === 'http:' || address.protocol === 'https:' ? address.href : '';
    } catch (e) {
      return '';
    }
  }

  // What an element shows in place of its children: the shadow tree of a custom element the
  // page lets be read, a slot's assigned nodes, otherwise the element's own children.
  function shownChildren(element) {
    if (element.shadowRoot) return element.shadowRoot.childNodes;
    if (element.localName === 'slot') {
      var assigned = element.assignedNodes();
      if (assigned.length) return assigned;
    }
    return element.childNodes;
  }

  // The copy of one shown element, or null; its children are copied by the walk below.
  function copyOf(element, style, parentStyle) {
    var name = element.localName, made;
    if (name === 'img') return picture(element);
    if (name === 'input' || name === 'textarea' || name === 'select') {
      var text = field(element);
      return text === null ? null : inert.createTextNode(text);
    }
    if (kept.hasOwnProperty(name)) {
      made = inert.createElement(name);
      var allowed = kept[name];
      Object.keys(allowed).forEach(function (attribute) {
        var value = element.getAttribute(attribute);
        if (value !== null && allowed[attribute].test(value)) made.setAttribute(attribute, value);
      });
      if (name === 'a') {
        var address = webAddress(element);
        if (address) made.setAttribute('href', address);
      }
      var direction = element.getAttribute('dir');
      if (direction !== null && /^(ltr|rtl|auto)$/i.test(direction)) made.setAttribute('dir', direction);
    } else {
      // Elements of the page's own making, buttons, forms and the like hold what they show.
      made = inert.createElement(/^(inline|contents|ruby)/.test(style.display) ? 'span' : 'div');
    }
    var look = lookOf(style, parentStyle);
    if (look) made.setAttribute('style', look);
    return made;
  }

  // Walked without recursion: a page may nest its elements deeper than a call stack goes.
  var pending = [{nodes: shownChildren(body), index: 0, into: copy, style: getComputedStyle(body)}];
  while (pending.length) {
    var level = pending[pending.length - 1];
    if (level.index >= level.nodes.length) {
      pending.pop();
      continue;
    }
    var node = level.nodes[level.index++];
    if (node.nodeType === Node.TEXT_NODE) {
      level.into.appendChild(inert.createTextNode(node.data));
      continue;
    }
    if (node.nodeType !== Node.ELEMENT_NODE || node.namespaceURI !== xhtml || dropped.has(node.localName)) continue;
    var style = getComputedStyle(node);
    if (style.display === 'none' || style.visibility === 'hidden' || style.visibility === 'collapse') continue;
    var made = copyOf(node, style, level.style);
    if (!made) continue;
    level.into.appendChild(made);
    if (made.nodeType === Node.ELEMENT_NODE && made.localName !== 'img')
      pending.push({nodes: shownChildren(node), index: 0, into: made, style: style});
  }

  var text = inert.createElement('div');
  pictures = pictures.map(function (picture) {
    if (typeof picture === 'string') return picture;
    text.textContent = picture.alt;
    return {url: picture.url, markup: picture.element.outerHTML, alt: text.innerHTML};
  });
  return JSON.stringify({html: copy.innerHTML, text: copy.textContent, pictures: pictures});
})()
