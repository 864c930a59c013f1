;;; 事務所の標準コマンド（共有リストの見本）
(defun c:office-title ()
  (princ "\n事務所の図枠を挿入します。")
  (princ))

(defun c:office-layers ()
  (foreach name '("外形線" "寸法" "注記")
    (if (not (tblsearch "LAYER" name))
      (command "_.-LAYER" "_M" name "")))
  (princ))
