// The page's scripts against the oldest browsers it is for (package.json's
// browserslist): syntax no newer than ES2015, and every browser API either there in
// all of them or listed below as used only behind a check of its own.
'use strict';
const compat = require('eslint-plugin-compat');

module.exports = [{
  files: ['**/*.js'],
  languageOptions: {ecmaVersion: 2015, sourceType: 'script'},
  linterOptions: {reportUnusedDisableDirectives: 'off'},
  plugins: {compat},
  settings: {
    polyfills: [
    ],
  },
  rules: {'compat/compat': 'error'},
}];
